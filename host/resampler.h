// A streaming sample-rate converter over interleaved float frames, through
// libsoxr at its very-high quality, on the calling thread. libsoxr removes
// its own filter delay: output frame k lines up with input time k / ratio.
#pragma once

#include <soxr.h>

#include <memory>
#include <string>
#include <vector>

namespace sorel::host {

class Resampler {
 public:
  // Null with *error when libsoxr refuses the rates.
  static std::unique_ptr<Resampler> create(double fromRate, double toRate, int channels, std::string* error);
  ~Resampler();
  Resampler(const Resampler&) = delete;
  Resampler& operator=(const Resampler&) = delete;

  // Appends to `out` what `frames` interleaved input frames give so far.
  void process(const float* in, std::size_t frames, std::vector<float>& out);
  // At the end of the input: appends everything still held.
  void flush(std::vector<float>& out);

 private:
  Resampler(soxr_t s, double r, int count) : soxr(s), ratio(r), channels(count) {}
  // One soxr_process call into room for `room` more frames; returns the
  // frames it wrote and sets *used to the input frames it took.
  std::size_t step(const float* in, std::size_t frames, std::size_t* used, std::size_t room, std::vector<float>& out);

  soxr_t soxr;
  double ratio;
  int channels;
};

}  // namespace sorel::host
