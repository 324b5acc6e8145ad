// Sample-rate conversion of a stream of interleaved float frames through
// libsoxr at its very-high quality (linear phase, 175 dB of stop band).
// Each call hands back what is ready; finish() drains the filter, so the
// output holds round(input frames * out / in) frames, aligned with the input.
#pragma once

#include <soxr.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sorel::host {

class RateConverter {
 public:
  // Null with *error when libsoxr refuses the rates.
  static std::unique_ptr<RateConverter> create(int channels, int inRate, int outRate, std::string* error);
  ~RateConverter();
  RateConverter(const RateConverter&) = delete;
  RateConverter& operator=(const RateConverter&) = delete;

  // Replaces `block` with the converted frames ready so far.
  void process(std::vector<float>& block);
  // Appends the frames still in the filter.
  void finish(std::vector<float>& block);

 private:
  RateConverter(soxr_t s, int count, double r) : soxr(s), channels(count), ratio(r) {}
  void run(const float* in, std::size_t frames, std::vector<float>& out);
  soxr_t soxr;
  int channels;
  double ratio;
};

}  // namespace sorel::host
