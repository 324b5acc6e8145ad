// Polyphase FIR interpolation of a multichannel stream, the kind a true-peak
// meter uses: a Hann-windowed sinc spanning 2 * reach input samples (at 4x
// and a reach of 6, the 49 taps of the meters' usual design; at 2x and 12,
// the same length the meters use from 96 kHz), split into `factor` phases.
// Phase 0 is the input sample itself (the sinc is zero at every other
// multiple of the factor), so the true peak is never below the sample peak.
// Blocks are filtered phase by phase over many frames at once, which the
// compiler turns into vector arithmetic.
#pragma once

#include <vector>

namespace sorel::host {

class Oversampler {
 public:
  // factor 1..8 (1 passes samples through); reach 1..32: the input samples
  // each point depends on, on either side: the point between frames t and
  // t+1 reads t-reach+1 .. t+reach.
  Oversampler(int channels, int factor, int reach = 6);

  // Pushes `frames` interleaved frames. peaks[i] (when given) receives the
  // largest magnitude, over all channels, among the points from frame
  // (i - delay()) of those pushed up to, not including, the next frame.
  // Returns the largest of them all.
  float push(const float* interleaved, int frames, float* peaks);

  int factor() const { return phases; }
  int reach() const { return taps / 2; }
  // The interpolated points come this many frames after the frame pushed.
  int delay() const { return taps / 2; }

  static constexpr int kChunk = 256;  // frames filtered at once

 private:
  float pushChunk(const float* interleaved, int frames, float* peaks);
  int channels;
  int phases;
  int taps;                    // per phase
  std::vector<float> coefs;    // phase-major: phases x taps, oldest sample first
  std::vector<float> lines;    // per channel: taps - 1 frames of history, then the chunk
  std::vector<float> chunkPeaks;
};

}  // namespace sorel::host
