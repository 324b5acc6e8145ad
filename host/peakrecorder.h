// Detects once what the true-peak limiter would detect: the per-frame peaks
// of its oversampled detector over a signal, kept in a store (one value a
// frame, then latency() more for the silence that plays a limiter's tail
// out). The loudness search runs the limiter over the same signal several
// times at different gains; the peaks of a scaled signal are these, scaled,
// so the detector need not run again.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "signalstore.h"
#include "stage.h"
#include "truepeaklimiter.h"

namespace sorel::host {

class PeakRecorder : public Stage {
 public:
  // Records into `store` (one channel); the frames pass through untouched.
  PeakRecorder(int channels, int sampleRate, SignalStore& store);
  void process(std::vector<float>& frames) override;
  // Records the tail's peaks (the limiter's latency() frames of silence).
  void finish(std::vector<float>& frames) override;

  float loudest() const { return most; }  // linear
  bool ok(std::string* error) const;

 private:
  void record(const float* frames, int count);
  int channels;
  int tail;
  Oversampler detector;
  SignalStore& peaks;
  std::vector<float> scratch;
  float most = 0.0f;
  bool kept = true;
  std::string why;
};

// Reads recorded peaks back in step with the signal; a null store gives
// null (the limiter then detects for itself).
class PeakReader {
 public:
  explicit PeakReader(SignalStore* store) : peaks(store) {}
  bool restart(std::string* error) { return !peaks || peaks->restart(error); }
  // The next `frames` peaks (null without a store).
  const float* next(std::size_t frames);
  // False with *error when the store gave fewer than asked at some point.
  bool complete(std::string* error) const;

 private:
  SignalStore* peaks;
  std::vector<float> buffer;
  bool whole = true;
};

}  // namespace sorel::host
