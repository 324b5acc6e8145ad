// A true-peak limiter for delivery: holds the output's true peak (4x
// oversampled, as a loudness meter measures it) at or under a ceiling.
// Stereo-linked, with lookahead; the frames come out aligned with the frames
// that went in (the lookahead's delay is removed: the first latency() frames
// of output are withheld, and finish() plays out the tail), so the output has
// as many frames as the input. Where no peak reaches the ceiling the output
// is the input, sample for sample.
#pragma once

#include <cstdint>
#include <vector>

#include "limitergain.h"
#include "oversampler.h"

namespace sorel::host {

struct LimiterSettings {
  double ceilingDb = -1.0;   // dBTP
  double lookaheadMs = 1.5;  // also the attack
  double releaseMs = 80.0;
  // Below the ceiling by this much: covers the gain's own ripple through the
  // meter's interpolation, and the dither added after.
  double marginDb = 0.02;
};

class TruePeakLimiter {
 public:
  TruePeakLimiter(int channels, int sampleRate, const LimiterSettings& settings);

  // Replaces `block` (interleaved frames) with the limited frames ready so
  // far: fewer at the start, by latency().
  void process(std::vector<float>& block);
  // Appends the remaining latency() frames.
  void finish(std::vector<float>& block);
  // The same with the detector's per-frame peaks given (from a PeakRecorder
  // over the same signal, scaled by any gain since): `peaks` holds one a frame
  // of the block; finish() takes latency() more, those of the silence that
  // plays the tail out.
  void process(std::vector<float>& block, const float* peaks);
  void finish(std::vector<float>& block, const float* peaks);

  int latency() const { return delayFrames; }
  // A detector like this limiter's at this rate, for a meter that must see
  // the peaks exactly as the limiter will.
  static Oversampler detectorFor(int channels, int sampleRate);
  // The least gain applied so far (1 when nothing was limited).
  float leastGain() const { return least; }
  std::int64_t framesLimited() const { return limited; }
  // The loudest true peak that came in (linear).
  float loudestPeak() const { return loudest; }
  // When set, receives the least gain of every `step` output frames.
  void traceGain(std::vector<float>* trace, int step);

 private:
  void limit(const float* in, int frames, const float* given, std::vector<float>& out);
  int channels;
  float ceiling;
  Oversampler detector;
  LimiterGain gain;
  int delayFrames;
  std::vector<float> delay;  // ring of delayFrames + 1 frames
  std::vector<float> peaks;  // the detector's, per frame of a block
  std::int64_t pushed = 0;
  int ringAt = 0;  // where the frame pushed next goes
  float least = 1.0f;
  float loudest = 0.0f;
  std::int64_t limited = 0;
  std::vector<float>* trace = nullptr;
  int traceStep = 0, traceCount = 0;
  float traceLeast = 1.0f;
};

}  // namespace sorel::host
