// The stages after the plug-in, in their order: sample-rate conversion, a
// gain, the true-peak limiter. Each is optional; with none the frames pass
// untouched. Blocks go in and come out interleaved, in any size; the chain
// keeps its stages' delays out of the result.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "resampler.h"
#include "stage.h"
#include "truepeaklimiter.h"

namespace sorel::host {

class DeliveryChain : public Stage {
 public:
  explicit DeliveryChain(int channelCount) : channels(channelCount) {}
  // False with *error when libsoxr refuses the rates.
  bool convertRate(int inRate, int outRate, std::string* error);
  void applyGain(double db);
  void limit(int sampleRate, const LimiterSettings& settings);

  void process(std::vector<float>& block) override;
  // Appends whatever the stages still hold, at the end of the stream.
  void finish(std::vector<float>& block) override;
  // Without rate conversion, with the limiter's peaks recorded beforehand
  // (PeakRecorder) for the frames before the gain: see TruePeakLimiter.
  void process(std::vector<float>& block, const float* peaks);
  void finish(std::vector<float>& block, const float* peaks);

  const TruePeakLimiter* limiter() const { return limiterStage.get(); }
  TruePeakLimiter* limiter() { return limiterStage.get(); }

 private:
  void afterRate(std::vector<float>& block);
  int channels;
  std::unique_ptr<Resampler> rate;
  float gain = 1.0f;
  std::unique_ptr<TruePeakLimiter> limiterStage;
  std::vector<float> scaled;  // given peaks times the gain
};

}  // namespace sorel::host
