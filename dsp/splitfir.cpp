#include "splitfir.h"

#include <algorithm>

#include "kernels.h"

namespace sorel {

CSplitFir::CSplitFir(float cutoffFraction, int tapCount, int largest)
    : CSincFir(cutoffFraction, tapCount, largest),
      highBand(std::make_unique<float[]>(static_cast<std::size_t>(largestBlock))),
      delay(tapCount / 2) {}

void CSplitFir::setCoefficients(const float* values, int count) {
  if (!values || count < 1 || count > taps) return;
  // The newest count - 1 samples of the history stay the history.
  if (count < taps) std::copy(line.get() + (taps - count), line.get() + (taps - 1), line.get());
  delay = count / 2;
  taps = count;
  std::copy(values, values + count, coefficients.get());
}

// high[i] = x[i - delay] - low[i], so that low + high is the input delayed.
void CSplitFir::process(float* buffer, int n) {
  filter(buffer, n);
  // The line still holds the input: taps - 1 samples of the past, then the
  // block (delay <= taps - 1 always, since delay = taps / 2).
  kernels::active().subtract(line.get() + (taps - 1) - delay, buffer, highBand.get(), n);
  keepHistory(n);
}

void CSplitFir::addHighBand(float* buffer, int n) const { kernels::active().add(highBand.get(), buffer, buffer, n); }

}  // namespace sorel
