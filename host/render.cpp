#include "render.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

#include "blockqueue.h"
#include "outputtarget.h"
#include "parameters.h"
#include "volume.h"

namespace sorel::host {

ClipCounter::ClipCounter(const std::vector<float>& values)
    : active(values.size() > kInRange && values[kGlobalOn] >= 0.5f),
      gain(active ? volumeGain(values[kVolIn], values[kInRange] > 0.5f) : 1.0f) {}

bool ClipCounter::blockClips(float* const* channels, int count, int n) const {
  if (!active) return false;
  const float g = gain;
  bool clipped = false;
  for (int c = 0; c < count; ++c) {
    const float* x = channels[c];
    if (g == 1.0f)
      for (int i = 0; i < n; ++i) clipped |= !(x[i] >= -1.0f && x[i] <= 1.0f);
    else
      for (int i = 0; i < n; ++i) clipped |= !(x[i] * g >= -1.0f && x[i] * g <= 1.0f);
  }
  return clipped;
}

bool renderFile(const Session& session, const std::string& input, const std::string& output,
                const RenderOptions& options, Progress* progress, FileReport& report, std::string* error) {
  AudioReader reader;
  if (!reader.open(input, error)) return false;
  const AudioFormat in = reader.format();
  if (in.channels > 2) {
    if (error)
      *error = input + " has " + std::to_string(in.channels) + " channels; Sorel processes mono or stereo files only";
    return false;
  }
  AudioFormat out = in;
  out.format = outputFormat(output, in.format, in.channels, options.sampleType, error);
  if (!out.format) return false;
  report = FileReport{};
  if (reader.announcedFrames() > in.frames)
    report.warnings.push_back(input + " is cut short: its header announces " +
                              std::to_string(reader.announcedFrames()) + " frames, the file holds " +
                              std::to_string(in.frames) + "; rendering those");

  Host host;
  auto fx = session.instance(host, in.channels, static_cast<float>(in.sampleRate), options.blockSize, error);
  if (!fx) return false;
  std::unique_ptr<MeterThread> before, after;
  if (options.measure) {
    std::string why;
    auto a = LevelMeter::create(in.channels, in.sampleRate, &why);
    auto b = LevelMeter::create(in.channels, in.sampleRate, &why);
    if (a && b) {
      before = std::make_unique<MeterThread>(std::move(a));
      after = std::make_unique<MeterThread>(std::move(b));
    } else {
      report.warnings.push_back(input + ": no loudness report at " + std::to_string(in.sampleRate) + " Hz (" + why +
                                "); the file is rendered all the same");
    }
  }

  auto file = OutputTarget::create(output, error);
  if (!file) return false;
  AudioWriter writer;
  if (!writer.open(file->writePath(), output, out, options.dither, error)) {
    if (error && file->streaming() && error->find("pipe") != std::string::npos)
      *error += " (" + describeFormat(out.format) +
                " must seek back to finish its header; FLAC, Ogg, AU and raw "
                "stream to a pipe)";
    return false;
  }

  // Three stages on their own threads, so that decoding, processing and
  // encoding overlap: reader -> decoded -> processing (here) -> encoded -> writer.
  const int block = options.blockSize;
  const int channels = in.channels;
  const int chunk = std::max(1, 8192 / block) * block;  // frames per hand-over: few, large ones
  BlockQueue decoded(8), encoded(8);
  std::thread readerThread([&] {
    for (;;) {
      std::vector<float> frames(static_cast<std::size_t>(chunk * channels));
      const std::int64_t got = reader.read(frames.data(), chunk);
      if (got <= 0) break;
      frames.resize(static_cast<std::size_t>(got * channels));
      if (!decoded.push(std::move(frames))) break;
    }
    decoded.close();
  });
  std::string writeError;
  bool written = true;
  std::thread writerThread([&] {
    while (auto frames = encoded.pop()) {
      if (!writer.write(frames->data(), static_cast<std::int64_t>(frames->size()) / channels, &writeError)) {
        written = false;
        encoded.abandon();
        return;
      }
    }
  });

  std::vector<float> planar[2] = {std::vector<float>(static_cast<std::size_t>(block)),
                                  std::vector<float>(static_cast<std::size_t>(block))};
  float* io[2] = {planar[0].data(), planar[1].data()};
  const bool countClips = session.isSorel();
  const ClipCounter clips(session.values());
  report.clipBlocks = countClips ? 0 : -1;
  if (progress) progress->framesTotal += in.frames;
  while (auto frames = decoded.pop()) {
    std::vector<float>& x = *frames;
    const int total = static_cast<int>(x.size()) / channels;
    for (float& v : x)
      if (!std::isfinite(v)) {
        v = 0.0f;
        ++report.nonFinite;
      }
    if (before) before->add(x.data(), x.size());
    for (int offset = 0; offset < total; offset += block) {
      const int n = std::min(block, total - offset);
      float* piece = x.data() + static_cast<std::ptrdiff_t>(offset) * channels;
      for (int i = 0; i < n; ++i)
        for (int c = 0; c < channels; ++c) planar[c][static_cast<std::size_t>(i)] = piece[i * channels + c];
      if (countClips && clips.blockClips(io, channels, n)) ++report.clipBlocks;
      fx->processReplacing(io, io, n);
      for (int i = 0; i < n; ++i)
        for (int c = 0; c < channels; ++c) piece[i * channels + c] = planar[c][static_cast<std::size_t>(i)];
      ++report.blocks;
    }
    if (after) after->add(x.data(), x.size());
    report.frames += total;
    if (progress) progress->framesDone += total;
    if (!encoded.push(std::move(x))) {
      decoded.abandon();
      break;
    }
  }
  encoded.close();
  readerThread.join();
  writerThread.join();
  if (!written) {
    if (error) *error = writeError;
    return false;
  }
  if (!writer.close(error)) return false;
  if (!file->commit(error)) return false;

  report.input = input;
  report.output = output;
  report.format = describeFormat(out.format);
  report.sampleRate = in.sampleRate;
  report.channels = channels;
  if (before) report.before = before->finish();
  if (after) report.after = after->finish();
  report.measured = before != nullptr;
  return true;
}

}  // namespace sorel::host
