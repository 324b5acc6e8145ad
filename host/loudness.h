// Level and loudness of a stream of frames, measured by libebur128: sample
// peak, true peak, integrated loudness and loudness range. The reference the
// tests hold sorel-render's own meter (levelmeter.h) and limiter to; the
// Levels record is what both report.
#pragma once

#include <ebur128.h>

#include <cstdint>
#include <memory>
#include <string>

namespace sorel::host {

struct Levels {
  double samplePeakDb = 0.0;    // dBFS; -inf for silence
  double truePeakDb = 0.0;      // dBTP
  double integratedLufs = 0.0;  // -inf when nothing passed the gate
  std::int64_t fullScaleSamples = 0;  // at or beyond full scale (level meter only)
  double rangeLu = 0.0;         // NaN when undefined: shorter than one 3 s window, or nothing passed the gate
};

class LoudnessMeter {
 public:
  // Null with *error when libebur128 cannot measure this layout.
  static std::unique_ptr<LoudnessMeter> create(int channels, int sampleRate, std::string* error);
  ~LoudnessMeter();
  LoudnessMeter(const LoudnessMeter&) = delete;
  LoudnessMeter& operator=(const LoudnessMeter&) = delete;

  void add(const float* interleaved, std::int64_t frames);
  Levels levels() const;
  int channelCount() const { return channels; }

 private:
  LoudnessMeter(ebur128_state* s, int count, int sampleRate) : state(s), channels(count), rate(sampleRate) {}
  ebur128_state* state;
  int channels;
  int rate;
  std::int64_t frames = 0;
};

}  // namespace sorel::host
