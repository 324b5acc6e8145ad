#include "truepeaklimiter.h"

#include <algorithm>
#include <cmath>

namespace sorel::host {
namespace {

constexpr int kOversampling = 4;

int frames(double ms, int rate) { return std::max(1, static_cast<int>(std::lround(ms * 0.001 * rate))); }

// How far the detector's interpolation reaches: as far as a loudness meter's
// at this rate (its 2x filter from 96 kHz reads twice as far), so that no
// peak the meter finds escapes the detector.
int reachAt(int rate) { return rate >= 96000 && rate < 192000 ? 12 : 6; }

}  // namespace

TruePeakLimiter::TruePeakLimiter(int channelCount, int sampleRate, const LimiterSettings& s)
    : channels(channelCount),
      ceiling(static_cast<float>(std::pow(10.0, (s.ceilingDb - s.marginDb) / 20.0))),
      detector(channelCount, kOversampling, reachAt(sampleRate)),
      gain(frames(s.lookaheadMs, sampleRate), detector.reach(), s.releaseMs * 0.001 * sampleRate),
      // The detector reports a frame delay() frames late, the gain its own latency later.
      delayFrames(detector.delay() + gain.latency()),
      delay(static_cast<std::size_t>((delayFrames + 1) * channelCount), 0.0f) {}

Oversampler TruePeakLimiter::detectorFor(int channelCount, int sampleRate) {
  return Oversampler(channelCount, kOversampling, reachAt(sampleRate));
}

void TruePeakLimiter::traceGain(std::vector<float>* to, int step) {
  trace = to;
  traceStep = std::max(1, step);
}

void TruePeakLimiter::limit(const float* in, int count, const float* given, std::vector<float>& out) {
  const int ringFrames = delayFrames + 1;
  peaks.resize(static_cast<std::size_t>(count));
  if (given) {
    std::copy(given, given + count, peaks.begin());
    for (float p : peaks) loudest = std::max(loudest, p);
  } else {
    loudest = std::max(loudest, detector.push(in, count, peaks.data()));
  }
  std::size_t written = out.size();
  out.resize(written + static_cast<std::size_t>(count * channels));
  for (int i = 0; i < count; ++i) {
    const float* frame = in + static_cast<std::ptrdiff_t>(i) * channels;
    const float peak = peaks[static_cast<std::size_t>(i)];
    const float g = gain.push(peak > ceiling ? ceiling / peak : 1.0f);
    // The ring's next slot holds the frame delayFrames ago; this one replaces it there.
    float* slot = delay.data() + static_cast<std::ptrdiff_t>(ringAt) * channels;
    if (++ringAt == ringFrames) ringAt = 0;
    const float* oldest = delay.data() + static_cast<std::ptrdiff_t>(ringAt) * channels;
    std::copy(frame, frame + channels, slot);
    if (pushed++ < delayFrames) continue;
    for (int c = 0; c < channels; ++c) out[written++] = oldest[c] * g;
    if (g < 1.0f) ++limited;
    least = std::min(least, g);
    if (trace) {
      traceLeast = std::min(traceLeast, g);
      if (++traceCount == traceStep) {
        trace->push_back(traceLeast);
        traceCount = 0;
        traceLeast = 1.0f;
      }
    }
  }
  out.resize(written);
}

void TruePeakLimiter::process(std::vector<float>& block) { process(block, nullptr); }
void TruePeakLimiter::finish(std::vector<float>& block) { finish(block, nullptr); }

void TruePeakLimiter::process(std::vector<float>& block, const float* given) {
  std::vector<float> out;
  out.reserve(block.size());
  limit(block.data(), static_cast<int>(block.size()) / channels, given, out);
  block.swap(out);
}

void TruePeakLimiter::finish(std::vector<float>& block, const float* given) {
  const std::vector<float> silence(static_cast<std::size_t>(delayFrames * channels), 0.0f);
  limit(silence.data(), delayFrames, given, block);
  if (trace && traceCount > 0) trace->push_back(traceLeast);
  traceCount = 0;
}

}  // namespace sorel::host
