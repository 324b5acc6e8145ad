// A minimal LV2 host for the tests: loads the bundle's DSP binary, maps URIs,
// keeps every control port's value, and saves and restores state as a
// session would.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bundle.h"
#include "lv2session.h"

namespace sorel::test {

using Bytes = std::vector<unsigned char>;
using Channels = std::vector<std::vector<float>>;

inline const LV2_Descriptor* lv2Descriptor(const char* uri) {
  static void* library = dlopen(SOREL_LV2_DSP, RTLD_NOW | RTLD_LOCAL);
  if (!library) return nullptr;
  auto entry = reinterpret_cast<const LV2_Descriptor* (*)(uint32_t)>(dlsym(library, "lv2_descriptor"));
  for (uint32_t i = 0; entry && entry(i); ++i)
    if (std::string(entry(i)->URI) == uri) return entry(i);
  return nullptr;
}

class Lv2Instance {
 public:
  // With the URID map unless `withMap` is false (lv2apply offers none).
  explicit Lv2Instance(const lv2::Variant& v, double rate = 48000.0, bool withMap = true) : variant(v) {
    descriptor = lv2Descriptor(v.uri);
    if (!descriptor) return;
    const LV2_Feature* features[] = {withMap ? &uridMapFeature : nullptr, nullptr};
    handle = descriptor->instantiate(descriptor, rate, "", features);
    if (!handle) return;
    state = static_cast<const LV2_State_Interface*>(descriptor->extension_data(LV2_STATE__interface));
    descriptor->activate(handle);
  }
  ~Lv2Instance() {
    if (handle) descriptor->cleanup(handle);
  }
  Lv2Instance(const Lv2Instance&) = delete;
  Lv2Instance& operator=(const Lv2Instance&) = delete;
  bool ok() const { return handle != nullptr; }

  // Every control port, holding the parameters' defaults, and the latency port.
  void connectControls() {
    for (uint32_t i = 0; i < kNumParams; ++i) {
      controls[i] = kParamTable[i].defaultValue;
      connect(i, &controls[i]);
    }
    connect(lv2::kLatencyPort, &latency);
  }
  void connect(uint32_t port, void* data) { descriptor->connect_port(handle, port, data); }
  void run(uint32_t frames) { descriptor->run(handle, frames); }

  // Runs `in` through in blocks of `block` frames (1: as lv2apply does);
  // without `connectInputs` the input ports stay unconnected.
  Channels process(const Channels& in, std::size_t block, bool connectInputs = true) {
    Channels out(in.size(), std::vector<float>(in[0].size(), -7.0f));
    for (std::size_t at = 0; at < in[0].size(); at += block) {
      const std::size_t n = std::min(block, in[0].size() - at);
      for (uint32_t c = 0; c < in.size(); ++c) {
        connect(lv2::kFirstAudioPort + c, connectInputs ? const_cast<float*>(in[c].data() + at) : nullptr);
        connect(lv2::firstOutputPort(variant) + c, out[c].data() + at);
      }
      descriptor->run(handle, static_cast<uint32_t>(n));
    }
    return out;
  }

  LV2_State_Status save(Bytes& bytes) {
    Property p;
    const LV2_State_Status status = state->save(handle, storeProperty, &p, 0, nullptr);
    bytes = p.bytes;
    return status;
  }
  LV2_State_Status restore(const Bytes& bytes, const char* type = LV2_ATOM__Chunk) {
    Property p{bytes, mapUri(nullptr, type)};
    return state->restore(handle, retrieveProperty, &p, 0, nullptr);
  }

  float controls[kNumParams] = {};
  float latency = -1.0f;

 private:
  const lv2::Variant& variant;
  const LV2_Descriptor* descriptor = nullptr;
  LV2_Handle handle = nullptr;
  const LV2_State_Interface* state = nullptr;
};

}  // namespace sorel::test
