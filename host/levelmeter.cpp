#include "levelmeter.h"

#include <algorithm>
#include <cmath>

namespace sorel::host {
namespace {

int factorAt(int rate) { return rate < 96000 ? 4 : rate < 192000 ? 2 : 1; }
int reachAt(int rate) { return rate < 96000 ? 6 : 12; }
double toDb(double linear) { return linear > 0.0 ? 20.0 * std::log10(linear) : -INFINITY; }

}  // namespace

std::unique_ptr<LevelMeter> LevelMeter::create(int channels, int sampleRate, std::string* error) {
  // The shelf sits at 1.68 kHz: it needs a rate well above twice that.
  if (sampleRate < 8000 || channels < 1) {
    if (error) *error = "the loudness meter measures from 8000 Hz up";
    return nullptr;
  }
  return std::make_unique<LevelMeter>(channels, sampleRate);
}

LevelMeter::LevelMeter(int channelCount, int sampleRate)
    : channels(channelCount),
      segmentFrames((sampleRate + 5) / 10),
      weight(channelCount == 1 ? 2.0 : 1.0),
      filters(static_cast<std::size_t>(channelCount), KWeighting(sampleRate)),
      truePeak(channelCount, factorAt(sampleRate), reachAt(sampleRate)),
      loudness(segmentFrames) {}

// The K-weighted energy of `frames` frames, summed over channels. The
// filters run as locals (their state stays in registers) and, for stereo,
// side by side, so one channel's recursion overlaps the other's.
double LevelMeter::weighted(const float* x, int frames) {
  if (channels == 2) {
    KWeighting left = filters[0], right = filters[1];
    double a = 0.0, b = 0.0;
    for (int i = 0; i < frames; ++i) {
      const double l = left.process(x[2 * i]), r = right.process(x[2 * i + 1]);
      a += l * l;
      b += r * r;
    }
    filters[0] = left, filters[1] = right;
    return a + b;
  }
  double sum = 0.0;
  for (int c = 0; c < channels; ++c) {
    KWeighting f = filters[static_cast<std::size_t>(c)];
    for (int i = 0; i < frames; ++i) {
      const double y = f.process(x[i * channels + c]);
      sum += y * y;
    }
    filters[static_cast<std::size_t>(c)] = f;
  }
  return sum;
}

void LevelMeter::add(const float* interleaved, std::int64_t frames) {
  for (std::int64_t at = 0; at < frames;) {
    const int n = static_cast<int>(std::min<std::int64_t>(frames - at, 4096));
    const float* x = interleaved + at * channels;
    if (history) framePeaks.resize(static_cast<std::size_t>(n));
    if (truePeakOn) peak = std::max(peak, truePeak.push(x, n, history ? framePeaks.data() : nullptr));
    for (int i = 0; i < n * channels; ++i) {
      samplePeak = std::max(samplePeak, std::fabs(x[i]));
      fullScale += std::fabs(x[i]) >= fullScaleLevel;
    }
    for (int i = 0; i < n;) {
      const int run = std::min(n - i, segmentFrames - filled);
      energy += weight * weighted(x + static_cast<std::ptrdiff_t>(i) * channels, run);
      if (history)
        for (int j = i; j < i + run; ++j) segmentPeak = std::max(segmentPeak, framePeaks[static_cast<std::size_t>(j)]);
      i += run;
      if ((filled += run) == segmentFrames) {
        loudness.addSegment(energy);
        energy = 0.0;
        filled = 0;
        if (history) {
          shortTerms.push_back(static_cast<float>(loudness.shortTermLufs()));
          peaks.push_back(static_cast<float>(toDb(segmentPeak)));
          segmentPeak = 0.0f;
        }
      }
    }
    at += n;
  }
}

Levels LevelMeter::levels() const {
  Levels l;
  l.samplePeakDb = toDb(samplePeak);
  l.fullScaleSamples = fullScale;
  l.truePeakDb = toDb(std::max(peak, samplePeak));
  l.integratedLufs = loudness.integratedLufs();
  l.rangeLu = loudness.rangeLu();
  return l;
}

}  // namespace sorel::host
