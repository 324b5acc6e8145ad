#include "quantiser.h"

#include <algorithm>
#include <cmath>

namespace sorel::host {

Quantiser::Quantiser(int bits, int channelCount, Dither mode)
    : channels(channelCount),
      shift(32 - bits),
      full(std::ldexp(1.0, bits - 1)),
      top(std::lround(full) - 1),
      dither(mode),
      error1(static_cast<std::size_t>(channelCount), 0.0),
      error2(static_cast<std::size_t>(channelCount), 0.0) {}

bool Quantiser::exact(const float* frame) const {
  for (int c = 0; c < channels; ++c) {
    const double code = static_cast<double>(frame[c]) * full;
    if (code != std::nearbyint(code)) return false;
  }
  return true;
}

// A uniform value in [0, 1) per call, a hash of a running count (no serial
// chain between samples); the difference of two is triangular, ±1 LSB.
double Quantiser::noise() {
  auto uniform = [this] {
    std::uint32_t h = noiseCount++;
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return static_cast<double>(h) * (1.0 / 4294967296.0);
  };
  const double a = uniform();
  return a - uniform();
}

// The shaped dither feeds the last two errors back so that the error reaching
// the file is filtered by (1 - z^-1)^2: e[n] - 2 e[n-1] + e[n-2]. The stored
// errors are bounded, so clipping at full scale cannot make the loop run away.
void Quantiser::quantise(const float* in, std::int64_t frames, int* out) {
  for (std::int64_t f = 0; f < frames; ++f) {
    const float* frame = in + f * channels;
    exactFrames = exact(frame) ? std::min(exactFrames + 1, kExactRun) : 0;
    const bool dithering = dither != Dither::kNone && exactFrames < kExactRun;
    for (int c = 0; c < channels; ++c) {
      const auto k = static_cast<std::size_t>(c);
      double wanted = static_cast<double>(frame[c]) * full;
      if (dither == Dither::kShaped && dithering) wanted += -2.0 * error1[k] + error2[k];
      const double r = dithering ? noise() : 0.0;
      const long q = std::clamp(std::lrint(wanted + r), -top - 1, top);
      error2[k] = dithering ? error1[k] : 0.0;
      error1[k] = dithering ? std::clamp(static_cast<double>(q) - wanted, -2.0, 2.0) : 0.0;
      out[f * channels + c] = static_cast<int>(static_cast<std::uint32_t>(q) << shift);
    }
  }
}

}  // namespace sorel::host
