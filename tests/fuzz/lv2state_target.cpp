// Fuzz entry point for the LV2 state path: any bytes, as the chunk property of
// a session, go through the bundle's own descriptor into a running instance.
// A refused state must leave the instance exactly as it was; a taken one must
// save back to the same bytes; either way the instance still runs, one frame
// per run() as lv2apply drives it (a few runs: more reach no further code).
#include <cmath>

#include "../support/lv2session.h"
#include "bundle.h"
#include "fuzzinput.h"

namespace {

using sorel::test::Property;
using sorel::test::retrieveProperty;
using sorel::test::storeProperty;

struct Host {
  Host() {
    static const LV2_Feature* features[] = {&sorel::test::uridMapFeature, nullptr};
    descriptor = lv2_descriptor(0);
    instance = descriptor->instantiate(descriptor, 48000.0, "", features);
    state = static_cast<const LV2_State_Interface*>(descriptor->extension_data(LV2_STATE__interface));
    descriptor->activate(instance);
    start = save();
    for (int i = 0; i < kFrames; ++i) signal[i] = 0.9f * std::sin(0.3f * static_cast<float>(i));
  }
  Property save() const {
    Property p;
    if (state->save(instance, storeProperty, &p, 0, nullptr) != LV2_STATE_SUCCESS)
      sorel::fuzz::broken("lv2state", "save failed");
    return p;
  }
  const LV2_Descriptor* descriptor;
  LV2_Handle instance;
  const LV2_State_Interface* state;
  Property start;
  static constexpr int kFrames = 4;
  float signal[kFrames];  // made once
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using sorel::fuzz::broken;
  static Host host;
  if (host.state->restore(host.instance, retrieveProperty, &host.start, 0, nullptr) != LV2_STATE_SUCCESS)
    broken("lv2state", "own state refused");
  Property fuzzed;
  fuzzed.bytes.assign(data, data + size);
  fuzzed.type = host.start.type;
  const bool taken = host.state->restore(host.instance, retrieveProperty, &fuzzed, 0, nullptr) == LV2_STATE_SUCCESS;
  Property held = host.save();
  if (!taken && held.bytes != host.start.bytes) broken("lv2state", "a refused state changed the instance");
  if (taken) {
    if (host.state->restore(host.instance, retrieveProperty, &held, 0, nullptr) != LV2_STATE_SUCCESS)
      broken("lv2state", "own saved state refused");
    if (host.save().bytes != held.bytes) broken("lv2state", "state did not round-trip");
  }
  float in[2] = {}, out[2] = {};
  const uint32_t audio = sorel::lv2::kFirstAudioPort;  // the stereo variant's
  for (uint32_t c = 0; c < 2; ++c) {
    host.descriptor->connect_port(host.instance, audio + c, &in[c]);
    host.descriptor->connect_port(host.instance, audio + 2 + c, &out[c]);
  }
  for (const float sample : host.signal) {
    in[0] = in[1] = sample;
    host.descriptor->run(host.instance, 1);
  }
  return 0;
}
