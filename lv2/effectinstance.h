// One LV2 instance of the effect: owns the same CPlug the VST library hosts
// and turns ports into its calls. Changed control ports become setParameter
// calls at block start, run() becomes processReplacing, the state's chunk is
// the effect's chunk.
#pragma once

#include <cstdint>
#include <memory>

#include "bundle.h"
#include "plug.h"

namespace sorel::lv2 {

class EffectInstance {
 public:
  EffectInstance(const Variant& variant, double sampleRate);

  void connect(std::uint32_t port, void* data);
  void activate() { plug->resume(); }
  void deactivate() { plug->suspend(); }
  // [audio] Allocates nothing, locks nothing, calls nothing outside the effect.
  void run(std::uint32_t frames);

  // The effect's chunk, and loading one (false when the effect refused it).
  // A loaded value stands until its port moves to a value that is neither the
  // loaded one nor the one the port held at loading.
  std::int32_t chunk(const void** data);
  bool loadChunk(const void* data, std::uint32_t size);

  CPlug& effect() { return *plug; }

  // The URIDs of the state's chunk property and type; 0 without a URID map
  // (the instance then runs but has no state to give or take).
  struct StateKeys {
    std::uint32_t property = 0;
    std::uint32_t type = 0;
  };
  StateKeys stateKeys;

 private:
  void applyChangedPorts();
  void applyPort(int index);
  void settleLatency();

  std::unique_ptr<CPlug> plug;
  int channels;
  const float* controls[kNumParams] = {};
  // The port value last handed to the effect; NaN until the first run, so
  // every connected port is applied once.
  float applied[kNumParams];
  // What a port held when a chunk was loaded, until the port moves: a host
  // that restores the chunk alone leaves its ports there.
  float heldAtLoad[kNumParams];
  float* latency = nullptr;
  const float* inputs[2] = {};
  float* outputs[2] = {};
};

}  // namespace sorel::lv2
