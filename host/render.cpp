#include "render.h"

#include <cmath>
#include <filesystem>
#include <unistd.h>

#include <vector>

#include "volume.h"

namespace sorel::host {
namespace {

namespace fs = std::filesystem;

// A temporary name beside the output, so the final rename stays on one file
// system; unique per process and per call.
std::string temporaryName(const std::string& output) {
  static std::atomic<int> counter{0};
  const fs::path out(output);
  const fs::path dir = out.has_parent_path() ? out.parent_path() : fs::path(".");
  return (dir / ("." + out.filename().string() + ".partial-" + std::to_string(::getpid()) + "-" +
                 std::to_string(counter.fetch_add(1))))
      .string();
}

// Removes the temporary file unless the render got as far as renaming it.
struct TemporaryFile {
  std::string path;
  bool kept = false;
  ~TemporaryFile() {
    std::error_code ignored;
    if (!kept) fs::remove(path, ignored);
  }
};

}  // namespace

ClipCounter::ClipCounter(const std::vector<float>& values)
    : active(values.size() > 84 && values[0] >= 0.5f), gain(active ? volumeGain(values[2], values[84] > 0.5f) : 1.0f) {}

bool ClipCounter::blockClips(float* const* channels, int count, int n) const {
  if (!active) return false;
  for (int c = 0; c < count; ++c)
    for (int i = 0; i < n; ++i) {
      const float v = gain == 1.0f ? channels[c][i] : channels[c][i] * gain;
      if (!(v >= -1.0f && v <= 1.0f)) return true;
    }
  return false;
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
  out.format = outputFormat(output, in.format, options.sampleType, error);
  if (!out.format) return false;

  Host host;
  auto fx = session.instance(host, in.channels, static_cast<float>(in.sampleRate), options.blockSize, error);
  if (!fx) return false;
  auto before = LoudnessMeter::create(in.channels, in.sampleRate, error);
  auto after = LoudnessMeter::create(in.channels, in.sampleRate, error);
  if (!before || !after) return false;

  TemporaryFile temporary{temporaryName(output)};
  AudioWriter writer;
  if (!writer.open(temporary.path, out, options.dither, error)) return false;

  const int block = options.blockSize;
  const int channels = in.channels;
  std::vector<float> interleaved(static_cast<std::size_t>(block * channels));
  std::vector<float> planar[2] = {std::vector<float>(static_cast<std::size_t>(block)),
                                  std::vector<float>(static_cast<std::size_t>(block))};
  float* io[2] = {planar[0].data(), planar[1].data()};
  const bool countClips = session.isSorel();
  const ClipCounter clips(session.values());
  report = FileReport{};
  report.clipBlocks = countClips ? 0 : -1;
  if (progress) progress->framesTotal += in.frames;

  for (;;) {
    const std::int64_t got = reader.read(interleaved.data(), block);
    if (got <= 0) break;
    const int n = static_cast<int>(got);
    before->add(interleaved.data(), got);
    for (int i = 0; i < n; ++i)
      for (int c = 0; c < channels; ++c) planar[c][static_cast<std::size_t>(i)] = interleaved[static_cast<std::size_t>(i * channels + c)];
    if (countClips && clips.blockClips(io, channels, n)) ++report.clipBlocks;
    fx->processReplacing(io, io, n);
    for (int i = 0; i < n; ++i)
      for (int c = 0; c < channels; ++c) interleaved[static_cast<std::size_t>(i * channels + c)] = planar[c][static_cast<std::size_t>(i)];
    after->add(interleaved.data(), got);
    if (!writer.write(interleaved.data(), got, error)) return false;
    report.frames += got;
    ++report.blocks;
    if (progress) progress->framesDone += got;
  }
  if (!writer.close(error)) return false;
  std::error_code failure;
  fs::rename(temporary.path, output, failure);
  if (failure) {
    if (error) *error = "cannot move the result to " + output + ": " + failure.message();
    return false;
  }
  temporary.kept = true;

  report.input = input;
  report.output = output;
  report.format = describeFormat(out.format);
  report.sampleRate = in.sampleRate;
  report.channels = channels;
  report.before = before->levels();
  report.after = after->levels();
  return true;
}

}  // namespace sorel::host
