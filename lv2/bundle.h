// What the LV2 bundle's description and its binaries agree on: the URIs, the
// file names and the port layout. Port k < kNumParams is parameter k, so the
// port index and the parameter index are one number; the latency output and
// the audio ports follow.
#pragma once

#include <cstdint>

#include "parameters.h"

namespace sorel::lv2 {

inline constexpr char kPluginUri[] = "urn:kestrune:sorel";
inline constexpr char kMonoPluginUri[] = "urn:kestrune:sorel:mono";
inline constexpr char kUiUri[] = "urn:kestrune:sorel:ui";
// The state property that holds the effect's chunk, and its type.
inline constexpr char kChunkKeyUri[] = "urn:kestrune:sorel:chunk";

inline constexpr std::uint32_t kLatencyPort = kNumParams;
inline constexpr std::uint32_t kFirstAudioPort = kNumParams + 1;

// One plug-in of the bundle: the stereo effect, or the effect with a
// one-channel input arrangement (the Stereo set only).
struct Variant {
  const char* uri;
  const char* name;
  int channels;
};
inline constexpr Variant kVariants[] = {{kPluginUri, "SOREL", 2}, {kMonoPluginUri, "SOREL mono", 1}};

// Audio ports of a variant: inputs from kFirstAudioPort, then outputs.
constexpr std::uint32_t firstOutputPort(const Variant& v) {
  return kFirstAudioPort + static_cast<std::uint32_t>(v.channels);
}
constexpr std::uint32_t portCount(const Variant& v) {
  return kFirstAudioPort + 2 * static_cast<std::uint32_t>(v.channels);
}

}  // namespace sorel::lv2
