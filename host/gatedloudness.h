// Integrated loudness and loudness range from the weighted energy of 100 ms
// segments: 400 ms blocks every 100 ms, gated at -70 LUFS and 10 LU under
// their mean, for the integrated loudness; 3 s blocks every second, gated at
// -70 LUFS and 20 LU under their mean, for the range between their 10th and
// 95th percentiles.
#pragma once

#include <vector>

namespace sorel::host {

class GatedLoudness {
 public:
  // `segmentFrames`: frames in 100 ms. Each segment's energy is the sum over
  // channels of weight * (sum of squared weighted samples).
  explicit GatedLoudness(int segmentFrames) : frames(segmentFrames) {}
  void addSegment(double energy);

  double integratedLufs() const;  // -inf when no block passed the gates
  // The last 3 s (less at the start), ungated.
  double shortTermLufs() const;
  // NaN when undefined: under one 3 s block, or no integrated loudness.
  double rangeLu() const;

 private:
  int frames;
  std::vector<double> recent = std::vector<double>(30, 0.0);  // the last 30 segments, a ring
  long segments = 0;
  int sinceShortTerm = 0;
  std::vector<double> blocks;      // 400 ms block energies (mean square)
  std::vector<double> shortTerms;  // 3 s block energies
};

}  // namespace sorel::host
