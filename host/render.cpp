#include "render.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "blockqueue.h"
#include "deliverychain.h"
#include "levelmeter.h"
#include "loudnessplot.h"
#include "loudnesstarget.h"
#include "masterprogress.h"
#include "peakrecorder.h"
#include "signalstore.h"
#include "meterthread.h"
#include "outputtarget.h"
#include "parameters.h"
#include "pluginsection.h"
#include "stage.h"

namespace sorel::host {

namespace {

// Standard input ("-") rendered into a folder is named there by its format:
// stdin.flac, stdin.wav.
std::string outputFor(const std::string& input, const std::string& output, int inputFormat) {
  const std::filesystem::path out(output);
  if (input != "-" || out.filename() != "-") return output;
  return (out.parent_path() / ("stdin." + extensionFor(inputFormat))).string();
}

// The input, checked, and the output's name and format chosen for it.
ExitStatus openInput(const std::string& input, std::string& output, const RenderOptions& options,
                     AudioReader& reader, AudioFormat& out, std::string* error) {
  if (!reader.open(input, error)) return kExitUnreadable;
  const AudioFormat& in = reader.format();
  output = outputFor(input, output, in.format);
  if (in.channels > 2) {
    if (error)
      *error = input + " has " + std::to_string(in.channels) + " channels; Sorel processes mono or stereo files only";
    return kExitUnreadable;
  }
  out = in;
  out.format = outputFormat(output, in.format, in.channels, options.sampleType, error);
  if (!out.format) return kExitUsage;
  return kExitOk;
}

struct Meters {
  std::unique_ptr<MeterThread> before, after;
};

// No meters when the report is off, or when the meter takes no such rate
// (said as a warning: the file is rendered all the same). The "after" meter
// runs at the output's rate, counting full scale at its largest code.
Meters startMeters(const std::string& input, const AudioFormat& in, const AudioFormat& out, bool measure,
                   bool history, FileReport& report) {
  Meters meters;
  if (!measure) return meters;
  std::string why;
  auto a = LevelMeter::create(in.channels, in.sampleRate, &why);
  auto b = LevelMeter::create(out.channels, out.sampleRate, &why);
  if (a && b) {
    const int bits = integerBits(out.format);
    if (bits > 0) b->setFullScale(1.0f - std::ldexp(1.0f, 1 - bits));
    if (history) a->keepHistory(), b->keepHistory();
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

// The delivery stages after the plug-in: the rate conversion, and unless a
// loudness target needs a measurement first, the limiter (its gain traced
// every 100 ms for the plot). False with *error when the rates cannot be converted.
bool buildStages(const RenderOptions& options, const AudioFormat& in, const AudioFormat& out,
                 std::vector<std::unique_ptr<Stage>>& stages, std::vector<float>& gainTrace, std::string* error) {
  const DeliveryOptions& d = options.delivery;
  auto chain = std::make_unique<DeliveryChain>(in.channels);
  if (!chain->convertRate(in.sampleRate, out.sampleRate, error)) return false;
  if (std::isfinite(d.ceilingDb) && !std::isfinite(d.targetLufs)) {
    chain->limit(out.sampleRate, limiterFor(d));
    chain->limiter()->traceGain(&gainTrace, (out.sampleRate + 5) / 10);
  }
  stages.push_back(std::move(chain));
  return true;
}

// Three threads, so that decoding, processing and encoding overlap:
// reader -> decoded -> processing (here) -> encoded -> writer.
class Pipeline {
 public:
  // Reads up to n frames into the buffer; returns how many (0 at the end).
  using Source = std::function<std::int64_t(float*, std::int64_t)>;
  // Takes n frames; false with *error when they cannot be kept.
  using Sink = std::function<bool(const float*, std::int64_t, std::string*)>;
  Pipeline(Source source, Sink sink, int channelCount, int chunkFrames)
      : reader(std::move(source)), writer(std::move(sink)), channels(channelCount), chunk(chunkFrames) {}
  Pipeline(AudioReader& source, AudioWriter& sink, int channelCount, int chunkFrames)
      : Pipeline([&source](float* x, std::int64_t n) { return source.read(x, n); },
                 [&sink](const float* x, std::int64_t n, std::string* e) { return sink.write(x, n, e); },
                 channelCount, chunkFrames) {}

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
      const std::int64_t got = reader(frames.data(), chunk);
      if (got <= 0) break;
      frames.resize(static_cast<std::size_t>(got * channels));
      if (!decoded.push(std::move(frames))) break;
    }
    decoded.close();
  }
  void writeAll() {
    while (auto frames = encoded.pop()) {
      if (!writer(frames->data(), static_cast<std::int64_t>(frames->size()) / channels, &writeError)) {
        written = false;
        encoded.abandon();
        return;
      }
    }
  }

  Source reader;
  Sink writer;
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

// The limiter's work, for the report.
void noteLimiter(const DeliveryChain* chain, FileReport& report) {
  const TruePeakLimiter* limiter = chain ? chain->limiter() : nullptr;
  if (!limiter) return;
  report.delivery.limitingDb = std::max(0.0, -20.0 * std::log10(limiter->leastGain()));
  report.delivery.limitedFrames = limiter->framesLimited();
}

// The master as the first pass of a target render leaves it: the signal
// (after the plug-in and the rate conversion), the limiter's peaks over it
// when a ceiling is asked, its loudness and loudest peak.
struct StoredMaster {
  std::unique_ptr<SignalStore> signal, peaks;
  double lufs = NAN, loudestDb = NAN;
};

// The measurement pass: the file through the plug-in and the rate
// conversion into the store; `meters.before` meters the input.
bool storeMaster(AudioReader& reader, PluginSection& plugin, std::vector<std::unique_ptr<Stage>>& stages,
                 Meters& meters, const RenderOptions& options, const AudioFormat& out, Progress* progress,
                 FileReport& report, StoredMaster& master, std::string* error) {
  const bool limiting = std::isfinite(options.delivery.ceilingDb);
  master.signal = SignalStore::create(out.channels, error);
  if (limiting) master.peaks = SignalStore::create(1, error);
  auto mastered = LevelMeter::create(out.channels, out.sampleRate, error);
  if (!master.signal || (limiting && !master.peaks) || !mastered) return false;
  mastered->loudnessOnly();
  // The limiter's detector runs once, here; the search and the second pass reuse its peaks.
  const PeakRecorder* recorded = nullptr;
  if (limiting) {
    auto recorder = std::make_unique<PeakRecorder>(out.channels, out.sampleRate, *master.peaks);
    recorded = recorder.get();
    stages.push_back(std::move(recorder));
  }
  Meters first{std::move(meters.before), std::make_unique<MeterThread>(std::move(mastered))};
  SignalStore& store = *master.signal;
  Pipeline measure([&](float* x, std::int64_t n) { return reader.read(x, n); },
                   [&](const float* x, std::int64_t n, std::string* e) { return store.append(x, n, e); },
                   out.channels, std::max(1, 8192 / options.blockSize) * options.blockSize);
  const bool ok = processFile(measure, plugin, stages, first, out.channels, progress, report, error) &&
                  (!recorded || recorded->ok(error));
  meters.before = std::move(first.before);
  master.lufs = first.after->finish().integratedLufs;
  if (recorded) master.loudestDb = 20.0 * std::log10(std::max(recorded->loudest(), 1e-30f));
  return ok;
}

// The second pass: the stored master through `chain` into the file, metered
// by `meters.after`.
bool deliverStored(StoredMaster& master, DeliveryChain& chain, AudioWriter& writer, Meters& meters, int chunk,
                   MasterProgress& bar, FileReport& report, std::string* error) {
  const int channels = master.signal->channelCount();
  PeakReader given(master.peaks.get());
  if (!master.signal->restart(error) || !given.restart(error)) return false;
  Pipeline deliver([&](float* x, std::int64_t n) { return master.signal->read(x, n); },
                   [&](const float* x, std::int64_t n, std::string* e) { return writer.write(x, n, e); }, channels,
                   chunk);
  std::int64_t frames = 0;
  auto add = [&](std::vector<float>& x) {
    if (meters.after) meters.after->add(x.data(), x.size());
    frames += static_cast<std::int64_t>(x.size()) / channels;
  };
  auto work = [&](std::vector<float>& x) {
    const std::size_t replayed = x.size() / static_cast<std::size_t>(channels);
    chain.process(x, given.next(replayed));
    add(x);
    bar.replayed(replayed);
  };
  auto last = [&](std::vector<float>& tail) {
    chain.finish(tail, given.next(static_cast<std::size_t>(chain.limiter() ? chain.limiter()->latency() : 0)));
    add(tail);
  };
  if (!deliver.run(work, last, error) || !given.complete(error)) return false;
  if (frames != master.signal->frames()) {
    if (error) *error = "the mastered signal kept for the second pass could not be read back in full";
    return false;
  }
  report.frames = frames;
  return true;
}

// Measurement pass, the search for the gain, then the stored master through
// the gain and limiter that land the loudness target.
bool renderToTarget(AudioReader& reader, AudioWriter& writer, PluginSection& plugin,
                    std::vector<std::unique_ptr<Stage>>& stages, Meters& meters, const RenderOptions& options,
                    const AudioFormat& out, std::vector<float>& gainTrace, Progress* progress, FileReport& report,
                    std::string* error) {
  const DeliveryOptions& d = options.delivery;
  MasterProgress bar(progress, reader.format().frames);
  StoredMaster master;
  if (!storeMaster(reader, plugin, stages, meters, options, out, progress, report, master, error)) return false;
  bar.stored(master.signal->frames());
  TargetRequest request;
  request.targetLufs = d.targetLufs, request.ceilingDb = d.ceilingDb, request.maxLimitingDb = d.maxLimitingDb;
  request.limiter = limiterFor(d);
  request.replayed = [&bar](std::size_t frames) { bar.replayed(frames); };
  TargetOutcome outcome;
  if (!findTargetGain(*master.signal, master.peaks.get(), out.sampleRate, master.lufs, master.loudestDb, request,
                      outcome, error))
    return false;
  bar.searchDone();
  report.delivery.targetReachable = outcome.reachable;
  report.delivery.gainDb = outcome.gainDb;
  report.delivery.missedLu = outcome.missedLu;
  report.delivery.trials = outcome.passes;

  DeliveryChain chain(out.channels);
  chain.applyGain(outcome.gainDb);
  if (std::isfinite(d.ceilingDb)) {
    chain.limit(out.sampleRate, request.limiter);
    chain.limiter()->traceGain(&gainTrace, (out.sampleRate + 5) / 10);
  }
  const int chunk = std::max(1, 8192 / options.blockSize) * options.blockSize;
  if (!deliverStored(master, chain, writer, meters, chunk, bar, report, error)) return false;
  noteLimiter(&chain, report);
  return true;
}

// A file that held less than its header announced was rendered as far as it
// goes; said as a warning.
void warnIfCut(const std::string& input, const AudioReader& reader, FileReport& report) {
  std::string why;
  const std::int64_t announced = reader.shortfall(&why);
  if (announced == 0) return;
  report.warnings.push_back(input + " is cut short: its header announces " + std::to_string(announced) +
                            " frames, the file holds " + std::to_string(reader.framesDone()) +
                            (why.empty() || why == "No Error." ? "" : " (" + why + ")") + "; rendering those");
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

// What the written file holds, told straight: lossy output is decoded and
// measured again; a true peak over the ceiling (or over full scale) is a
// warning; the plot is drawn.
void reportDelivery(const RenderOptions& options, const AudioFormat& out, const OutputTarget& file, Meters& meters,
                    const std::vector<float>& gainTrace, FileReport& report) {
  const DeliveryOptions& d = options.delivery;
  report.delivery.targetLufs = d.targetLufs;
  report.delivery.ceilingDb = d.ceilingDb;
  if (!report.measured) return;
  std::string why;
  if (isLossy(out.format) && !file.streaming()) {
    report.delivery.decoded = measureWritten(report.output, report.after, &why);
    if (!report.delivery.decoded)
      report.notes.push_back("the written file could not be decoded to measure it (" + why +
                             "); the levels after are those of the signal before encoding");
  }
  report.delivery.overs = overCeiling(report.after, d.ceilingDb);
  for (std::string& w : deliveryWarnings(report.output, report.after, report.delivery, d.maxLimitingDb))
    report.warnings.push_back(std::move(w));
  if (d.plot.empty()) return;
  PlotData plot;
  plot.title = report.output;
  plot.before = meters.before->finished().shortTermHistory();
  plot.after = meters.after->finished().shortTermHistory();
  plot.afterPeaks = meters.after->finished().peakHistory();
  for (float g : gainTrace) plot.gainReduction.push_back(static_cast<float>(-20.0 * std::log10(g)));
  plot.targetLufs = d.targetLufs;
  plot.ceilingDb = d.ceilingDb;
  if (!drawLoudnessPlot(plot, plotPathFor(d.plot, report.input, d.plotPerInput), &why)) report.warnings.push_back(why);
}

// Settings this file cannot use, said in its report.
void noteInertSettings(const Session& session, int channels, FileReport& report) {
  if (!session.isSorel() || channels != 1 || wholeNumber(session.values()[kPage]) == 0) return;
  report.notes.push_back("page=ms on a mono file: one channel has no mid and side; it runs through the Mid set, "
                         "and the Side set's settings change nothing");
}

}  // namespace

bool renderFile(const Session& session, const std::string& input, const std::string& requestedOutput,
                const RenderOptions& options, Progress* progress, FileReport& report, std::string* error) {
  std::string output = requestedOutput;
  report = FileReport{};
  auto failed = [&report](ExitStatus status) {
    report.exitStatus = status;
    return false;
  };
  AudioReader reader;
  AudioFormat out;
  if (const ExitStatus status = openInput(input, output, options, reader, out, error); status != kExitOk)
    return failed(status);
  const AudioFormat in = reader.format();
  if (options.delivery.sampleRate > 0) out.sampleRate = options.delivery.sampleRate;
  noteInertSettings(session, in.channels, report);

  const SectionSetup setup{in.channels, in.sampleRate, options.blockSize, options.oversample, !options.dawIdentical};
  auto plugin = PluginSection::create(session, setup, error);
  if (!plugin) return failed(kExitFailure);
  std::vector<std::unique_ptr<Stage>> stages;
  std::vector<float> gainTrace;
  if (!buildStages(options, in, out, stages, gainTrace, error)) return failed(kExitFailure);
  Meters meters = startMeters(input, in, out, options.measure, !options.delivery.plot.empty(), report);

  auto file = OutputTarget::create(output, error);
  if (!file) return failed(kExitWrite);
  AudioWriter writer;
  if (!openOutput(*file, output, out, options, reader.metadata(), writer, report, error)) return failed(kExitWrite);

  if (progress) progress->framesTotal += in.frames;
  if (std::isfinite(options.delivery.targetLufs)) {
    if (!renderToTarget(reader, writer, *plugin, stages, meters, options, out, gainTrace, progress, report, error))
      return failed(kExitWrite);
  } else {
    const int chunk = std::max(1, 8192 / options.blockSize) * options.blockSize;  // few, large hand-overs
    Pipeline pipeline(reader, writer, in.channels, chunk);
    if (!processFile(pipeline, *plugin, stages, meters, in.channels, progress, report, error))
      return failed(kExitWrite);
    noteLimiter(dynamic_cast<const DeliveryChain*>(stages.front().get()), report);
  }
  if (!writer.close(error) || !file->commit(error)) return failed(kExitWrite);
  warnIfCut(input, reader, report);
  describe(report, input, output, out, meters);
  reportDelivery(options, out, *file, meters, gainTrace, report);
  return true;
}

}  // namespace sorel::host
