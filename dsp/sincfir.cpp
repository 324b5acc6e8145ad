#include "sincfir.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "kernels.h"

namespace sorel {

CSincFir::CSincFir(float cutoffFraction, int tapCount, int largest)
    : cutoff(cutoffFraction), taps((tapCount / 2) * 2 + 1), largestBlock(largest < 1 ? 1 : largest) {
  design();
}

void CSincFir::design() {
  writePosition = 0;
  ringSize = static_cast<int>(std::bit_ceil(static_cast<unsigned>(largestBlock + taps)));
  ringMask = ringSize - 1;
  coefficients = std::make_unique<float[]>(static_cast<std::size_t>(taps));
  history = std::make_unique<float[]>(static_cast<std::size_t>(ringSize));
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

// Appends the block to the ring, then convolves: out[i] = sum over k of
// h[k] * x[i - k], accumulated from 0 in single precision, k ascending. The
// convolution reads a straight copy of the ring's last taps - 1 samples and
// the block, so four outputs are formed at a time with no index wrapping.
void CSincFir::process(float* buffer, int n) {
  const float* x = straightHistory(buffer, n);
  kernels::active().convolve(x, taps - 1, coefficients.get(), taps, buffer, n);
  writePosition = (writePosition + n) & ringMask;
}

const float* CSincFir::straightHistory(const float* block, int n) {
  append(block, n);
  float* out = line.get();
  for (int j = 0; j < taps - 1; ++j) out[j] = history[(writePosition - (taps - 1) + j) & ringMask];
  std::copy(block, block + n, out + taps - 1);
  return out;
}

void CSincFir::append(const float* block, int n) {
  const int first = std::min(n, ringSize - writePosition);
  std::copy(block, block + first, history.get() + writePosition);
  std::copy(block + first, block + n, history.get());
}

}  // namespace sorel
