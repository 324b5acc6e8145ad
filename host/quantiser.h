// Float samples to integer codes of up to 24 bits: dithered (TPDF, ±1 LSB,
// optionally noise-shaped), rounded to nearest, clipped at full scale. The
// noise comes from a fixed sequence, so the same input gives the same bytes.
//
// Samples that already lie on the output's grid need no dither: a frame
// whose every sample is a whole code is exact. Dither runs from the first
// frame that is not exact until kExactRun frames in a row have been exact
// again; while it is off, samples are written as they are. So a render that
// leaves samples exact (bypass into the input's depth, digital silence) is
// bit-transparent, and a fade into digital silence ends in zeros after
// kExactRun frames of dither. A processed signal is never exact for that
// long (most float samples lie between codes), so it is dithered throughout.
#pragma once

#include <cstdint>
#include <vector>

namespace sorel::host {

enum class Dither {
  kTriangular,  // TPDF: white noise, the difference of two uniform values
  kShaped,      // TPDF through an error-feedback filter: noise moved up in frequency
  kNone,        // round to nearest
};

class Quantiser {
 public:
  static constexpr int kExactRun = 64;  // frames

  Quantiser(int bits, int channels, Dither dither);
  // Interleaved frames to codes, left-aligned in 32 bits as libsndfile takes them.
  void quantise(const float* in, std::int64_t frames, int* out);

 private:
  bool exact(const float* frame) const;
  double noise();

  int channels;
  int shift;
  double full;  // 32768 for 16 bits
  long top;     // the largest code
  Dither dither;
  int exactFrames = kExactRun;      // exact frames in a row so far
  std::uint32_t noiseCount = 0;     // position in the noise sequence
  std::vector<double> error1, error2;  // per channel: the last two quantisation errors (shaped)
};

}  // namespace sorel::host
