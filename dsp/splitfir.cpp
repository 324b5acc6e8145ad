#include "splitfir.h"

#include <algorithm>

namespace sorel {

CSplitFir::CSplitFir(float cutoffFraction, int tapCount, int largest)
    : CSincFir(cutoffFraction, tapCount, largest),
      highBand(std::make_unique<float[]>(static_cast<std::size_t>(largestBlock))),
      delay(tapCount / 2) {}

void CSplitFir::setCoefficients(const float* values, int count) {
  if (!values || count < 1 || count > taps) return;
  delay = count / 2;
  taps = count;
  std::copy(values, values + count, coefficients.get());
}

void CSplitFir::process(float* buffer, int n) {
  // Splitting arrives with the engine; until then the low band is the whole
  // signal and the high band is silence.
  static_cast<void>(buffer);
  std::fill(highBand.get(), highBand.get() + n, 0.0f);
}

void CSplitFir::addHighBand(float* buffer, int n) const {
  for (int i = 0; i < n; ++i) buffer[i] = highBand[i] + buffer[i];
}

}  // namespace sorel
