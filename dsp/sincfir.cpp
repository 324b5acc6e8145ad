#include "sincfir.h"

#include <algorithm>
#include <cmath>

#include "kernels.h"

namespace sorel {

CSincFir::CSincFir(float cutoffFraction, int tapCount, int largest)
    : cutoff(cutoffFraction), taps((tapCount / 2) * 2 + 1), largestBlock(largest < 1 ? 1 : largest) {
  design();
}

void CSincFir::design() {
  coefficients = std::make_unique<float[]>(static_cast<std::size_t>(taps));
  line = std::make_unique<float[]>(static_cast<std::size_t>(largestBlock + taps));

  // Hann-windowed ideal low-pass, the window reaching zero one step beyond the
  // outermost taps; single precision throughout.
  constexpr float kPi = 3.1415927f;
  constexpr float kTwoPi = 6.2831855f;
  const int half = taps / 2;
  float* h = coefficients.get();
  h[half] = 2.0f * cutoff;
  for (int i = 1; i <= half; ++i) {
    const auto fi = static_cast<float>(i);
    const float v = std::sin(kTwoPi * cutoff * fi) / (kPi * fi);
    const float w = 0.5f * (1.0f + std::cos(kPi * fi / static_cast<float>(half + 1)));
    h[half + i] = h[half - i] = v * w;
  }
}

// out[i] = sum over k of h[k] * x[i - k], accumulated from 0 in single
// precision, k ascending, where x is the history followed by the block.
void CSincFir::process(float* buffer, int n) {
  filter(buffer, n);
  keepHistory(n);
}

void CSincFir::filter(float* buffer, int n) {
  float* x = line.get();
  std::copy(buffer, buffer + n, x + taps - 1);
  kernels::active().convolve(x, taps - 1, coefficients.get(), taps, buffer, n);
}

void CSincFir::keepHistory(int n) {
  float* x = line.get();
  std::copy(x + n, x + n + taps - 1, x);  // forward: the ranges may overlap with n < taps - 1
}

}  // namespace sorel
