#include "sincfir.h"

#include <bit>

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
  // The windowed-sinc kernel arrives with the engine; until then it stays zero.
}

void CSincFir::process(float* buffer, int n) {
  // Filtering arrives with the engine; until then the block passes unchanged.
  static_cast<void>(buffer);
  static_cast<void>(n);
}

}  // namespace sorel
