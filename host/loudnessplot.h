// A picture of what delivery did to a file: short-term loudness before and
// after over time, the target and ceiling, the moments the output's true
// peak went over the ceiling, and the limiter's gain reduction underneath.
#pragma once

#include <cmath>

#include <string>
#include <vector>

namespace sorel::host {

struct PlotData {
  std::string title;
  double secondsPerPoint = 0.1;
  std::vector<float> before, after;  // short-term loudness, LUFS
  std::vector<float> afterPeaks;     // true peak per point, dBTP
  std::vector<float> gainReduction;  // dB (>= 0) per point; empty without a limiter
  double targetLufs = NAN;           // none
  double ceilingDb = NAN;            // none: overs are then over 0 dBTP
};

// Writes a PNG. False with *error when cairo cannot write the file.
bool drawLoudnessPlot(const PlotData& data, const std::string& path, std::string* error);

// "song.wav" with "plot.png" -> "plot-song.png": one picture per input.
std::string plotPathFor(const std::string& plot, const std::string& input, bool several);

}  // namespace sorel::host
