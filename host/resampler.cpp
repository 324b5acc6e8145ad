#include "resampler.h"

namespace sorel::host {

std::unique_ptr<Resampler> Resampler::create(double fromRate, double toRate, int channels, std::string* error) {
  const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
  const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_VHQ, 0);
  const soxr_runtime_spec_t runtime = soxr_runtime_spec(1);  // one thread: the same output on every machine load
  soxr_error_t why = nullptr;
  soxr_t s = soxr_create(fromRate, toRate, static_cast<unsigned>(channels), &why, &io, &quality, &runtime);
  if (!s || why) {
    if (s) soxr_delete(s);
    if (error) *error = std::string("libsoxr cannot convert this rate: ") + soxr_strerror(why);
    return nullptr;
  }
  return std::unique_ptr<Resampler>(new Resampler(s, toRate / fromRate, channels));
}

Resampler::~Resampler() { soxr_delete(soxr); }

std::size_t Resampler::step(const float* in, std::size_t frames, std::size_t* used, std::size_t room,
                            std::vector<float>& out) {
  const std::size_t start = out.size();
  out.resize(start + room * static_cast<std::size_t>(channels));
  std::size_t made = 0;
  *used = 0;
  soxr_process(soxr, in, frames, used, out.data() + start, room, &made);
  out.resize(start + made * static_cast<std::size_t>(channels));
  return made;
}

void Resampler::process(const float* in, std::size_t frames, std::vector<float>& out) {
  std::size_t done = 0;
  for (;;) {
    const std::size_t room = static_cast<std::size_t>(static_cast<double>(frames - done) * ratio) + 64;
    std::size_t used = 0;
    const std::size_t made = step(in + done * static_cast<std::size_t>(channels), frames - done, &used, room, out);
    done += used;
    if (done >= frames && made < room) return;  // all taken, and nothing was cut short by the room
  }
}

void Resampler::flush(std::vector<float>& out) {
  std::size_t used = 0;
  while (step(nullptr, 0, &used, 4096, out) > 0) {
  }
}

}  // namespace sorel::host
