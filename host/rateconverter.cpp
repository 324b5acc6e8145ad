#include "rateconverter.h"

#include <cmath>

namespace sorel::host {

std::unique_ptr<RateConverter> RateConverter::create(int channels, int inRate, int outRate, std::string* error) {
  soxr_error_t why = nullptr;
  const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
  const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_VHQ, 0);
  soxr_t s = inRate > 0 && outRate > 0 ? soxr_create(inRate, outRate, static_cast<unsigned>(channels), &why, &io,
                                                     &quality, nullptr)
                                       : nullptr;
  if (!s) {
    if (error)
      *error = "cannot convert " + std::to_string(inRate) + " Hz to " + std::to_string(outRate) + " Hz" +
               (why ? std::string(" (") + why + ")" : std::string());
    return nullptr;
  }
  return std::unique_ptr<RateConverter>(new RateConverter(s, channels, static_cast<double>(outRate) / inRate));
}

RateConverter::~RateConverter() { soxr_delete(soxr); }

void RateConverter::run(const float* in, std::size_t frames, std::vector<float>& out) {
  // Room for what this input can give, and what the filter still holds;
  // soxr is called again while it fills the room.
  const std::size_t room = static_cast<std::size_t>(std::ceil(static_cast<double>(frames) * ratio)) + 4096;
  std::size_t done = 0;
  for (;;) {
    const std::size_t at = out.size();
    out.resize(at + room * static_cast<std::size_t>(channels));
    std::size_t used = 0, made = 0;
    soxr_process(soxr, in ? in + done * static_cast<std::size_t>(channels) : nullptr, in ? frames - done : 0, &used,
                 out.data() + at, room, &made);
    done += used;
    out.resize(at + made * static_cast<std::size_t>(channels));
    if (made < room && done >= frames) return;
  }
}

void RateConverter::process(std::vector<float>& block) {
  std::vector<float> out;
  run(block.data(), block.size() / static_cast<std::size_t>(channels), out);
  block.swap(out);
}

void RateConverter::finish(std::vector<float>& block) { run(nullptr, 0, block); }

}  // namespace sorel::host
