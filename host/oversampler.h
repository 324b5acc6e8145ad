// Polyphase FIR interpolation of a multichannel stream, the kind a true-peak
// meter uses: a Hann-windowed sinc spanning 2 * reach input samples (at 4x
// and a reach of 6, the 49 taps of the meters' usual design; at 2x and 12,
// the same length the meters use at 88.2 kHz and up), split into `factor`
// phases. Phase 0 is the input sample itself (the sinc is zero at every
// other multiple of the factor), so the true peak is never below the sample
// peak.
#pragma once

#include <vector>

namespace sorel::host {

class Oversampler {
 public:
  // factor 1..8 (1 passes samples through); reach 1..32: the input samples
  // each point depends on, on either side: the point between frames t and
  // t+1 reads t-reach+1 .. t+reach.
  Oversampler(int channels, int factor, int reach = 6);

  // Pushes one frame; returns the largest magnitude among the points from
  // frame (pushed - delay()) up to, not including, the next frame, over all
  // channels.
  float pushPeak(const float* frame);

  int factor() const { return phases; }
  int reach() const { return taps / 2; }
  // The interpolated points come this many frames after the frame pushed.
  int delay() const { return taps / 2; }
  void reset();

 private:
  int channels;
  int phases;
  int taps;                  // per phase
  std::vector<float> coefs;  // phase-major: phases x taps, newest sample first
  std::vector<float> history;  // per channel, 2 * taps long: each frame written twice for a straight read
  int position = 0;
};

}  // namespace sorel::host
