#include "loudness.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>

namespace sorel::host {
namespace {

double toDb(double linear) { return linear > 0.0 ? 20.0 * std::log10(linear) : -INFINITY; }

}  // namespace

std::unique_ptr<LoudnessMeter> LoudnessMeter::create(int channels, int sampleRate, std::string* error) {
  const int mode = EBUR128_MODE_I | EBUR128_MODE_LRA | EBUR128_MODE_SAMPLE_PEAK | EBUR128_MODE_TRUE_PEAK;
  ebur128_state* state = ebur128_init(static_cast<unsigned>(channels), static_cast<unsigned long>(sampleRate), mode);
  if (!state) {
    if (error) *error = "the loudness meter cannot measure this channel layout or rate";
    return nullptr;
  }
  // A mono file is heard on both speakers: measure it as the dual-mono it is.
  if (channels == 1) ebur128_set_channel(state, 0, EBUR128_DUAL_MONO);
  return std::unique_ptr<LoudnessMeter>(new LoudnessMeter(state, channels, sampleRate));
}

LoudnessMeter::~LoudnessMeter() { ebur128_destroy(&state); }

void LoudnessMeter::add(const float* interleaved, std::int64_t count) {
  ebur128_add_frames_float(state, interleaved, static_cast<std::size_t>(count));
  frames += count;
}

Levels LoudnessMeter::levels() const {
  Levels l;
  double samplePeak = 0.0, truePeak = 0.0;
  for (int c = 0; c < channels; ++c) {
    double v = 0.0;
    if (ebur128_sample_peak(state, static_cast<unsigned>(c), &v) == EBUR128_SUCCESS)
      samplePeak = std::max(samplePeak, v);
    if (ebur128_true_peak(state, static_cast<unsigned>(c), &v) == EBUR128_SUCCESS) truePeak = std::max(truePeak, v);
  }
  l.samplePeakDb = toDb(samplePeak);
  l.truePeakDb = toDb(truePeak);
  if (ebur128_loudness_global(state, &l.integratedLufs) != EBUR128_SUCCESS) l.integratedLufs = -INFINITY;
  // libebur128 answers 0 where the range is undefined.
  const bool rangeDefined = std::isfinite(l.integratedLufs) && frames >= 3 * static_cast<std::int64_t>(rate);
  if (!rangeDefined || ebur128_loudness_range(state, &l.rangeLu) != EBUR128_SUCCESS) l.rangeLu = NAN;
  return l;
}

}  // namespace sorel::host
