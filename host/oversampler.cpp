#include "oversampler.h"

#include <algorithm>
#include <cmath>

namespace sorel::host {
namespace {

double prototype(int j, int factor, int length) {
  const double pi = 3.14159265358979323846;
  const double m = j - (length - 1) / 2;
  const double window = 0.5 * (1.0 - std::cos(2.0 * pi * j / (length - 1)));
  const double x = pi * m / factor;
  return window * (m == 0 ? 1.0 : std::sin(x) / x);
}

}  // namespace

Oversampler::Oversampler(int channelCount, int factor, int reachFrames)
    : channels(channelCount), phases(std::clamp(factor, 1, 8)), taps(2 * std::clamp(reachFrames, 1, 32)) {
  // Phase k takes every factor-th prototype tap; phase 0 is the centre tap
  // alone. Stored oldest-sample-first: the point k/factor after frame
  // t = n - delay() reads frames n - taps + 1 .. n.
  const int length = phases * taps + 1, centre = phases * taps / 2;
  coefs.assign(static_cast<std::size_t>(phases * taps), 0.0f);
  for (int k = 0; k < phases; ++k)
    for (int i = 0; i < taps; ++i) {
      // The tap that meets frame n - taps + 1 + i at point n - delay() + k/factor.
      const int j = centre + (i - taps + 1 + delay()) * phases - k;
      if (j >= 0 && j < length)
        coefs[static_cast<std::size_t>(k * taps + i)] = static_cast<float>(prototype(j, phases, length));
    }
  lines.assign(static_cast<std::size_t>(channels * (taps - 1 + kChunk)), 0.0f);
  chunkPeaks.resize(kChunk);
}

float Oversampler::push(const float* interleaved, int frames, float* peaks) {
  float most = 0.0f;
  for (int at = 0; at < frames; at += kChunk) {
    const int n = std::min(kChunk, frames - at);
    most = std::max(most, pushChunk(interleaved + static_cast<std::ptrdiff_t>(at) * channels, n,
                                    peaks ? peaks + at : nullptr));
  }
  return most;
}

// One phase over a whole chunk: eight outputs at a time, summed over all
// taps in registers (TAPS known when compiled for the usual lengths).
template <int TAPS>
void filterPhase(const float* __restrict h, const float* __restrict line, float* __restrict p, int taps) {
  const int n = TAPS > 0 ? TAPS : taps;
  for (int i = 0; i < Oversampler::kChunk; i += 8) {
    float acc[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    for (int t = 0; t < n; ++t) {
      const float c = h[t];
      const float* x = line + i + t;
      for (int j = 0; j < 8; ++j) acc[j] += c * x[j];
    }
    for (int j = 0; j < 8; ++j) p[i + j] = std::max(p[i + j], std::fabs(acc[j]));
  }
}

// Every loop runs over the whole chunk (the frames past `frames` are stale
// and ignored), with no aliasing, so that the compiler vectorises it.
float Oversampler::pushChunk(const float* interleaved, int frames, float* peaks) {
  const int history = taps - 1, stride = history + kChunk;
  float* __restrict p = chunkPeaks.data();
  std::fill(p, p + kChunk, 0.0f);
  for (int c = 0; c < channels; ++c) {
    float* line = lines.data() + c * stride;
    for (int i = 0; i < frames; ++i) line[history + i] = interleaved[i * channels + c];
    // Phase 0: the frames themselves, delay() late.
    const float* __restrict own = line + history - delay();
    for (int i = 0; i < kChunk; ++i) p[i] = std::max(p[i], std::fabs(own[i]));
    for (int k = 1; k < phases; ++k) {
      const float* h = coefs.data() + k * taps;
      if (taps == 12)
        filterPhase<12>(h, line, p, taps);
      else if (taps == 24)
        filterPhase<24>(h, line, p, taps);
      else
        filterPhase<0>(h, line, p, taps);
    }
    // Keep the newest taps - 1 frames as the next chunk's history.
    std::copy(line + frames, line + frames + history, line);
  }
  if (peaks) std::copy(p, p + frames, peaks);
  return *std::max_element(p, p + frames);
}

}  // namespace sorel::host
