#include "render.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

#include "blockqueue.h"
#include "delaytrim.h"
#include "meterthread.h"
#include "outputtarget.h"
#include "parameters.h"
#include "stage.h"
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

namespace {

// The input, checked, and the output's format chosen for it.
bool openInput(const std::string& input, const std::string& output, const RenderOptions& options,
               AudioReader& reader, AudioFormat& out, FileReport& report, std::string* error) {
  if (!reader.open(input, error)) return false;
  const AudioFormat& in = reader.format();
  if (in.channels > 2) {
    if (error)
      *error = input + " has " + std::to_string(in.channels) + " channels; Sorel processes mono or stereo files only";
    return false;
  }
  out = in;
  out.format = outputFormat(output, in.format, in.channels, options.sampleType, error);
  if (!out.format) return false;
  report = FileReport{};
  if (reader.announcedFrames() > in.frames)
    report.warnings.push_back(input + " is cut short: its header announces " +
                              std::to_string(reader.announcedFrames()) + " frames, the file holds " +
                              std::to_string(in.frames) + "; rendering those");
  return true;
}

struct Meters {
  std::unique_ptr<MeterThread> before, after;
};

// No meters when the report is off, or when the meter takes no such rate
// (said as a warning: the file is rendered all the same).
Meters startMeters(const std::string& input, const AudioFormat& in, bool measure, FileReport& report) {
  Meters meters;
  if (!measure) return meters;
  std::string why;
  auto a = LevelMeter::create(in.channels, in.sampleRate, &why);
  auto b = LevelMeter::create(in.channels, in.sampleRate, &why);
  if (a && b) {
    meters.before = std::make_unique<MeterThread>(std::move(a));
    meters.after = std::make_unique<MeterThread>(std::move(b));
  } else {
    report.warnings.push_back(input + ": no loudness report at " + std::to_string(in.sampleRate) + " Hz (" + why +
                              "); the file is rendered all the same");
  }
  return meters;
}

// Opens the output and carries the input's metadata over, noting what the
// output's format cannot hold.
bool openOutput(OutputTarget& file, const std::string& output, const AudioFormat& out, const RenderOptions& options,
                const Metadata& metadata, AudioWriter& writer, FileReport& report, std::string* error) {
  if (writer.open(file.writePath(), output, out, options.dither, error)) {
    for (const std::string& kind : writer.carry(metadata))
      report.notes.push_back(describeFormat(out.format) + " cannot hold the input's " + kind + "; not carried");
    return true;
  }
  if (error && file.streaming() && error->find("pipe") != std::string::npos)
    *error += " (" + describeFormat(out.format) +
              " must seek back to finish its header; FLAC, Ogg, AU and raw "
              "stream to a pipe)";
  return false;
}

// The plug-in over interleaved frames, block by block, counting the blocks
// that raise its input-clip notice.
class PluginRunner {
 public:
  PluginRunner(HostedEffect& effect, const Session& session, int channelCount, int blockSize)
      : fx(effect),
        channels(channelCount),
        block(blockSize),
        countClips(session.isSorel()),
        clips(session.values()),
        planar{std::vector<float>(static_cast<std::size_t>(blockSize)),
               std::vector<float>(static_cast<std::size_t>(blockSize))},
        io{planar[0].data(), planar[1].data()} {}

  // Runs the plug-in over `x`; `report` counts blocks and input clips (null
  // for the silence that flushes a delay out at the end).
  void process(std::vector<float>& x, FileReport* report) {
    const int total = static_cast<int>(x.size()) / channels;
    for (int offset = 0; offset < total; offset += block) {
      const int n = std::min(block, total - offset);
      float* piece = x.data() + static_cast<std::ptrdiff_t>(offset) * channels;
      for (int i = 0; i < n; ++i)
        for (int c = 0; c < channels; ++c) planar[c][static_cast<std::size_t>(i)] = piece[i * channels + c];
      if (report && countClips && clips.blockClips(io, channels, n)) ++report->clipBlocks;
      fx.processReplacing(io, io, n);
      for (int i = 0; i < n; ++i)
        for (int c = 0; c < channels; ++c) piece[i * channels + c] = planar[c][static_cast<std::size_t>(i)];
      if (report) ++report->blocks;
    }
  }
  bool countsClips() const { return countClips; }

 private:
  HostedEffect& fx;
  const int channels;
  const int block;
  const bool countClips;
  const ClipCounter clips;
  std::vector<float> planar[2];
  float* io[2];
};

// Non-finite samples become silence before the plug-in or a meter sees them.
void silenceNonFinite(std::vector<float>& x, FileReport& report) {
  for (float& v : x)
    if (!std::isfinite(v)) {
      v = 0.0f;
      ++report.nonFinite;
    }
}

// The Sorel plug-in's split-band path (aa=splitfir while global.on) delays
// its output by one sample, the centre of its three-tap crossover. It reports
// no initial delay, since the delay comes and goes with a parameter.
constexpr int kSorelSplitDelay = 1;

// The plug-in's delay in frames for this state: what it reports, else what
// the Sorel plug-in is known to do.
int pluginDelay(const Session& session, HostedEffect& fx) {
  if (fx.effect()->initialDelay > 0) return fx.effect()->initialDelay;
  const std::vector<float>& v = session.values();
  const bool split = session.isSorel() && v[kGlobalOn] >= 0.5f && v[kAntiAlias] >= kAntiAliasChoices[1].encoding;
  return split ? kSorelSplitDelay : 0;
}

// The stages after the plug-in, in order; `delay` is the plug-in's delay
// still to remove.
std::vector<std::unique_ptr<Stage>> buildStages(const RenderOptions& options, const AudioFormat& in, int delay) {
  (void)options;
  std::vector<std::unique_ptr<Stage>> stages;
  if (delay > 0) stages.push_back(std::make_unique<DelayTrim>(delay, in.channels));
  return stages;
}

// Three threads, so that decoding, processing and encoding overlap:
// reader -> decoded -> processing (here) -> encoded -> writer.
class Pipeline {
 public:
  Pipeline(AudioReader& source, AudioWriter& sink, int channelCount, int chunkFrames)
      : reader(source), writer(sink), channels(channelCount), chunk(chunkFrames) {}

  // Runs `work` on each decoded chunk and writes what it leaves; `last`
  // gives the frames held back at the end. False with *error when writing failed.
  template <typename Work, typename Last>
  bool run(Work work, Last last, std::string* error) {
    std::thread readerThread([this] { readAll(); });
    std::thread writerThread([this] { writeAll(); });
    bool going = true;
    while (going) {
      auto frames = decoded.pop();
      if (!frames) break;
      work(*frames);
      going = encoded.push(std::move(*frames));
    }
    if (going) {
      std::vector<float> tail;
      last(tail);
      if (!tail.empty()) encoded.push(std::move(tail));
    } else {
      decoded.abandon();
    }
    encoded.close();
    readerThread.join();
    writerThread.join();
    if (!written && error) *error = writeError;
    return written;
  }

 private:
  void readAll() {
    for (;;) {
      std::vector<float> frames(static_cast<std::size_t>(chunk * channels));
      const std::int64_t got = reader.read(frames.data(), chunk);
      if (got <= 0) break;
      frames.resize(static_cast<std::size_t>(got * channels));
      if (!decoded.push(std::move(frames))) break;
    }
    decoded.close();
  }
  void writeAll() {
    while (auto frames = encoded.pop()) {
      if (!writer.write(frames->data(), static_cast<std::int64_t>(frames->size()) / channels, &writeError)) {
        written = false;
        encoded.abandon();
        return;
      }
    }
  }

  AudioReader& reader;
  AudioWriter& writer;
  const int channels;
  const int chunk;
  BlockQueue decoded{8}, encoded{8};
  std::string writeError;
  bool written = true;
};

// Decoded frames through the plug-in and the stages, metered before and after.
// `delay` frames of silence follow the input through the plug-in, to flush
// out what it held back.
bool processFile(Pipeline& pipeline, PluginRunner& plugin, std::vector<std::unique_ptr<Stage>>& stages, int delay,
                 Meters& meters, int channels, Progress* progress, FileReport& report, std::string* error) {
  report.clipBlocks = plugin.countsClips() ? 0 : -1;
  auto work = [&](std::vector<float>& x) {
    silenceNonFinite(x, report);
    if (meters.before) meters.before->add(x.data(), x.size());
    const auto frames = static_cast<std::int64_t>(x.size()) / channels;
    plugin.process(x, &report);
    for (auto& stage : stages) stage->process(x);
    if (meters.after) meters.after->add(x.data(), x.size());
    report.frames += static_cast<std::int64_t>(x.size()) / channels;
    if (progress) progress->framesDone += frames;
  };
  auto last = [&](std::vector<float>& tail) {
    tail.assign(static_cast<std::size_t>(delay * channels), 0.0f);
    plugin.process(tail, nullptr);
    for (auto& stage : stages) {
      stage->process(tail);
      stage->finish(tail);
    }
    if (meters.after) meters.after->add(tail.data(), tail.size());
    report.frames += static_cast<std::int64_t>(tail.size()) / channels;
  };
  return pipeline.run(work, last, error);
}

void describe(FileReport& report, const std::string& input, const std::string& output, const AudioFormat& out,
              Meters& meters) {
  report.input = input;
  report.output = output;
  report.format = describeFormat(out.format);
  report.sampleRate = out.sampleRate;
  report.channels = out.channels;
  if (meters.before) report.before = meters.before->finish();
  if (meters.after) report.after = meters.after->finish();
  report.measured = meters.before != nullptr;
  for (const auto& [levels, which] : {std::pair{&report.before, "input"}, std::pair{&report.after, "output"}})
    if (report.measured && !std::isfinite(levels->integratedLufs))
      report.notes.push_back(std::string("the ") + which +
                             " is too short or too quiet for a loudness reading (it takes 400 ms above -70 LUFS); "
                             "its integrated loudness and loudness range are undefined");
}

// Settings this file cannot use, said in its report.
void noteInertSettings(const Session& session, int channels, FileReport& report) {
  if (!session.isSorel() || channels != 1 || wholeNumber(session.values()[kPage]) == 0) return;
  report.notes.push_back("page=ms on a mono file: one channel has no mid and side; it runs through the Mid set, "
                         "and the Side set's settings change nothing");
}

}  // namespace

bool renderFile(const Session& session, const std::string& input, const std::string& output,
                const RenderOptions& options, Progress* progress, FileReport& report, std::string* error) {
  AudioReader reader;
  AudioFormat out;
  if (!openInput(input, output, options, reader, out, report, error)) return false;
  const AudioFormat in = reader.format();
  noteInertSettings(session, in.channels, report);

  Host host;
  auto fx = session.instance(host, in.channels, static_cast<float>(in.sampleRate), options.blockSize, error);
  if (!fx) return false;
  PluginRunner plugin(*fx, session, in.channels, options.blockSize);
  const int delay = options.dawIdentical ? 0 : pluginDelay(session, *fx);
  auto stages = buildStages(options, in, delay);
  Meters meters = startMeters(input, in, options.measure, report);

  auto file = OutputTarget::create(output, error);
  if (!file) return false;
  AudioWriter writer;
  if (!openOutput(*file, output, out, options, reader.metadata(), writer, report, error)) return false;

  if (progress) progress->framesTotal += in.frames;
  const int chunk = std::max(1, 8192 / options.blockSize) * options.blockSize;  // few, large hand-overs
  Pipeline pipeline(reader, writer, in.channels, chunk);
  if (!processFile(pipeline, plugin, stages, delay, meters, in.channels, progress, report, error)) return false;
  if (!writer.close(error) || !file->commit(error)) return false;
  describe(report, input, output, out, meters);
  return true;
}

}  // namespace sorel::host
