#include "render.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

#include "blockqueue.h"
#include "meterthread.h"
#include "outputtarget.h"
#include "parameters.h"
#include "pluginsection.h"
#include "stage.h"

namespace sorel::host {

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
    for (std::string& note : writer.encode(options.encoding)) report.notes.push_back(std::move(note));
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

// Non-finite samples become silence before the plug-in or a meter sees them.
void silenceNonFinite(std::vector<float>& x, FileReport& report) {
  for (float& v : x)
    if (!std::isfinite(v)) {
      v = 0.0f;
      ++report.nonFinite;
    }
}

// The stages after the plug-in, in order.
std::vector<std::unique_ptr<Stage>> buildStages(const RenderOptions& options, const AudioFormat& in) {
  (void)options;
  (void)in;
  return {};
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
bool processFile(Pipeline& pipeline, PluginSection& plugin, std::vector<std::unique_ptr<Stage>>& stages,
                 Meters& meters, int channels, Progress* progress, FileReport& report, std::string* error) {
  auto work = [&](std::vector<float>& x) {
    silenceNonFinite(x, report);
    if (meters.before) meters.before->add(x.data(), x.size());
    const auto frames = static_cast<std::int64_t>(x.size()) / channels;
    plugin.process(x);
    for (auto& stage : stages) stage->process(x);
    if (meters.after) meters.after->add(x.data(), x.size());
    report.frames += static_cast<std::int64_t>(x.size()) / channels;
    if (progress) progress->framesDone += frames;
  };
  auto last = [&](std::vector<float>& tail) {
    plugin.finish(tail);
    for (auto& stage : stages) {
      stage->process(tail);
      stage->finish(tail);
    }
    if (meters.after) meters.after->add(tail.data(), tail.size());
    report.frames += static_cast<std::int64_t>(tail.size()) / channels;
  };
  if (!pipeline.run(work, last, error)) return false;
  report.blocks = plugin.blocks();
  report.clipBlocks = plugin.clipBlocks();
  return true;
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

  const SectionSetup setup{in.channels, in.sampleRate, options.blockSize, options.oversample, !options.dawIdentical};
  auto plugin = PluginSection::create(session, setup, error);
  if (!plugin) return false;
  auto stages = buildStages(options, in);
  Meters meters = startMeters(input, in, options.measure, report);

  auto file = OutputTarget::create(output, error);
  if (!file) return false;
  AudioWriter writer;
  if (!openOutput(*file, output, out, options, reader.metadata(), writer, report, error)) return false;

  if (progress) progress->framesTotal += in.frames;
  const int chunk = std::max(1, 8192 / options.blockSize) * options.blockSize;  // few, large hand-overs
  Pipeline pipeline(reader, writer, in.channels, chunk);
  if (!processFile(pipeline, *plugin, stages, meters, in.channels, progress, report, error)) return false;
  if (!writer.close(error) || !file->commit(error)) return false;
  describe(report, input, output, out, meters);
  return true;
}

}  // namespace sorel::host
