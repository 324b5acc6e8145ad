// Splits a channel into a low band (left in the buffer, for the modules) and a
// high band (kept, added back after them). Low plus high is the input delayed
// by `delay` samples.
#pragma once

#include "sincfir.h"

namespace sorel {

class CSplitFir : public CSincFir {
 public:
  CSplitFir(float cutoff, int taps, int largestBlock);

  // Replaces the design by `count` coefficients; ignored if count > taps.
  void setCoefficients(const float* values, int count);
  // [audio] buffer becomes the low band; the high band is kept.
  void process(float* buffer, int n) override;
  // [audio] buffer[i] += kept high band[i].
  void addHighBand(float* buffer, int n) const;

  int getDelay() const { return delay; }

 private:
  std::unique_ptr<float[]> highBand;
  int delay;
};

}  // namespace sorel
