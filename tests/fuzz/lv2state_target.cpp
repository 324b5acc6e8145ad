// Fuzz entry point for the LV2 state path: any bytes, as the chunk property of
// a session, go through the bundle's own descriptor into a running instance.
// A refused state must leave the instance exactly as it was; a taken one must
// save back to the same bytes; either way the instance still runs, one frame
// per run() as lv2apply drives it.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include "bundle.h"
#include "fuzzinput.h"

extern "C" const LV2_Descriptor* lv2_descriptor(uint32_t index);

namespace {

std::vector<std::string> uris;

LV2_URID mapUri(LV2_URID_Map_Handle, const char* uri) {
  for (std::size_t i = 0; i < uris.size(); ++i)
    if (uris[i] == uri) return static_cast<LV2_URID>(i + 1);
  uris.emplace_back(uri);
  return static_cast<LV2_URID>(uris.size());
}

// One property: the bytes and type a retrieve hands out, or what a store kept.
struct Property {
  std::vector<unsigned char> bytes;
  uint32_t type = 0;
};

const void* retrieve(LV2_State_Handle h, uint32_t, size_t* size, uint32_t* type, uint32_t* flags) {
  const auto* p = static_cast<const Property*>(h);
  *size = p->bytes.size();
  *type = p->type;
  *flags = LV2_STATE_IS_POD;
  return p->bytes.data();
}

LV2_State_Status store(LV2_State_Handle h, uint32_t, const void* value, size_t size, uint32_t type, uint32_t) {
  auto* p = static_cast<Property*>(h);
  const auto* bytes = static_cast<const unsigned char*>(value);
  p->bytes.assign(bytes, bytes + size);
  p->type = type;
  return LV2_STATE_SUCCESS;
}

struct Host {
  Host() {
    static LV2_URID_Map map{nullptr, mapUri};
    static const LV2_Feature mapFeature{LV2_URID__map, &map};
    static const LV2_Feature* features[] = {&mapFeature, nullptr};
    descriptor = lv2_descriptor(0);
    instance = descriptor->instantiate(descriptor, 48000.0, "", features);
    state = static_cast<const LV2_State_Interface*>(descriptor->extension_data(LV2_STATE__interface));
    descriptor->activate(instance);
    start = save();
  }
  Property save() const {
    Property p;
    if (state->save(instance, store, &p, 0, nullptr) != LV2_STATE_SUCCESS) sorel::fuzz::broken("lv2state", "save failed");
    return p;
  }
  const LV2_Descriptor* descriptor;
  LV2_Handle instance;
  const LV2_State_Interface* state;
  Property start;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using sorel::fuzz::broken;
  static Host host;
  if (host.state->restore(host.instance, retrieve, &host.start, 0, nullptr) != LV2_STATE_SUCCESS)
    broken("lv2state", "own state refused");
  Property fuzzed;
  fuzzed.bytes.assign(data, data + size);
  fuzzed.type = host.start.type;
  const bool taken = host.state->restore(host.instance, retrieve, &fuzzed, 0, nullptr) == LV2_STATE_SUCCESS;
  Property held = host.save();
  if (!taken && held.bytes != host.start.bytes) broken("lv2state", "a refused state changed the instance");
  if (taken) {
    if (host.state->restore(host.instance, retrieve, &held, 0, nullptr) != LV2_STATE_SUCCESS)
      broken("lv2state", "own saved state refused");
    if (host.save().bytes != held.bytes) broken("lv2state", "state did not round-trip");
  }
  float in[2] = {}, out[2] = {};
  const uint32_t audio = sorel::lv2::kFirstAudioPort;  // the stereo variant's
  for (uint32_t c = 0; c < 2; ++c) {
    host.descriptor->connect_port(host.instance, audio + c, &in[c]);
    host.descriptor->connect_port(host.instance, audio + 2 + c, &out[c]);
  }
  for (int i = 0; i < 32; ++i) {
    in[0] = in[1] = 0.9f * std::sin(0.3f * static_cast<float>(i));
    host.descriptor->run(host.instance, 1);
  }
  return 0;
}
