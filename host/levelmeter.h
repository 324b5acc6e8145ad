// Sample peak, true peak, integrated loudness and loudness range of a
// stream, measured the way the loudness standard's reference meters do
// (libebur128 checks it to 0.01 dB and 0.01 LU in the tests), at a fraction
// of their cost: the true peak comes from the polyphase oversampler the
// limiter uses, at the meters' factor for the rate (4x under 96 kHz, 2x under
// 192 kHz, none above).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gatedloudness.h"
#include "kweighting.h"
#include "loudness.h"
#include "oversampler.h"

namespace sorel::host {

class LevelMeter {
 public:
  // Null with *error for a rate the weighting filters cannot be designed at.
  static std::unique_ptr<LevelMeter> create(int channels, int sampleRate, std::string* error);
  LevelMeter(int channels, int sampleRate);
  void add(const float* interleaved, std::int64_t frames);
  Levels levels() const;
  int channelCount() const { return channels; }
  // Counts samples at or beyond this level as full scale (the largest code
  // of an integer output; 1 by default).
  void setFullScale(float level) { fullScaleLevel = level; }
  // Keeps, for every 100 ms, the short-term loudness (LUFS) and the true peak
  // (dBTP) from then on, for a picture of the piece.
  void keepHistory() { history = true; }
  // Skips the true peak (a loudness measurement only).
  void loudnessOnly() { truePeakOn = false; }
  // Reads the true peak through this detector instead of the meters' own.
  void peaksThrough(const Oversampler& detector) { truePeak = detector; }
  const std::vector<float>& shortTermHistory() const { return shortTerms; }
  const std::vector<float>& peakHistory() const { return peaks; }

 private:
  double weighted(const float* interleaved, int frames);
  int channels;
  int segmentFrames;
  double weight;  // per channel: a mono file counts twice, as heard on two speakers
  std::vector<KWeighting> filters;
  Oversampler truePeak;
  GatedLoudness loudness;
  float samplePeak = 0.0f, peak = 0.0f;
  std::int64_t fullScale = 0;
  float fullScaleLevel = 1.0f;
  bool history = false;
  bool truePeakOn = true;
  std::vector<float> framePeaks;
  float segmentPeak = 0.0f;
  std::vector<float> shortTerms, peaks;
  double energy = 0.0;  // of the segment being filled
  int filled = 0;
};

}  // namespace sorel::host
