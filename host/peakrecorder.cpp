#include "peakrecorder.h"

#include <algorithm>

namespace sorel::host {

PeakRecorder::PeakRecorder(int channelCount, int sampleRate, SignalStore& store)
    : channels(channelCount),
      tail(TruePeakLimiter(channelCount, sampleRate, LimiterSettings{}).latency()),
      detector(TruePeakLimiter::detectorFor(channelCount, sampleRate)),
      peaks(store) {}

void PeakRecorder::record(const float* frames, int count) {
  scratch.resize(static_cast<std::size_t>(count));
  most = std::max(most, detector.push(frames, count, scratch.data()));
  if (kept && !peaks.append(scratch.data(), count, &why)) kept = false;
}

void PeakRecorder::process(std::vector<float>& frames) {
  record(frames.data(), static_cast<int>(frames.size()) / channels);
}

void PeakRecorder::finish(std::vector<float>& frames) {
  (void)frames;
  const std::vector<float> silence(static_cast<std::size_t>(tail * channels), 0.0f);
  record(silence.data(), tail);
}

bool PeakRecorder::ok(std::string* error) const {
  if (!kept && error) *error = why;
  return kept;
}

const float* PeakReader::next(std::size_t frames) {
  if (!peaks) return nullptr;
  buffer.assign(frames, 0.0f);
  if (peaks->read(buffer.data(), static_cast<std::int64_t>(frames)) != static_cast<std::int64_t>(frames)) whole = false;
  return buffer.data();
}

bool PeakReader::complete(std::string* error) const {
  if (!whole && error) *error = "the recorded peaks of the mastered signal could not be read back";
  return whole;
}

}  // namespace sorel::host
