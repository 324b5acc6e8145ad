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
  // alone. Stored newest-sample-first: the point k/factor after frame
  // t = n - delay() reads frames n .. n - taps + 1.
  const int length = phases * taps + 1, centre = phases * taps / 2, late = delay();
  coefs.assign(static_cast<std::size_t>(phases * taps), 0.0f);
  for (int k = 0; k < phases; ++k)
    for (int i = 0; i < taps; ++i) {
      // Prototype index of the tap that meets frame n - i at point n - delay() + k/factor.
      const int j = centre + (late - i) * phases - k;
      if (j >= 0 && j < length)
        coefs[static_cast<std::size_t>(k * taps + i)] = static_cast<float>(prototype(j, phases, length));
    }
  history.assign(static_cast<std::size_t>(channels * 2 * taps), 0.0f);
}

void Oversampler::reset() {
  std::fill(history.begin(), history.end(), 0.0f);
  position = 0;
}

float Oversampler::pushPeak(const float* frame) {
  position = position == 0 ? taps - 1 : position - 1;
  float peak = 0.0f;
  for (int c = 0; c < channels; ++c) {
    float* h = history.data() + c * 2 * taps;
    h[position] = h[position + taps] = frame[c];
    const float* newest = h + position;  // newest .. newest + taps - 1 is frame n .. n - taps + 1
    peak = std::max(peak, std::fabs(newest[taps / 2]));
    for (int k = 1; k < phases; ++k) {
      const float* c0 = coefs.data() + k * taps;
      float sum = 0.0f;
      for (int i = 0; i < taps; ++i) sum += c0[i] * newest[i];
      peak = std::max(peak, std::fabs(sum));
    }
  }
  return peak;
}


}  // namespace sorel::host
