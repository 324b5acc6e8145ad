// sorel-render: masters audio files through the Sorel plug-in (or any VST 2.4
// library) from the command line. See --help.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "deliveryprofile.h"
#include "demomaterial.h"
#include "editsession.h"
#include "exitstatus.h"
#include "interruption.h"
#include "outputtarget.h"
#include "render.h"
#include "replacingfile.h"
#include "report.h"

namespace {

namespace fs = std::filesystem;
using namespace sorel::host;

int fail(const std::string& reason, ExitStatus status = kExitFailure) {
  std::fprintf(stderr, "sorel-render: %s\n", reason.c_str());
  return status;
}

// Standard output's buffer, flushed: false when what was printed did not
// all arrive (a full disk, a closed pipe).
bool printed() {
  std::cout.flush();
  return static_cast<bool>(std::cout);
}

// The Sorel library: beside this program in a build tree, or where the
// installation puts it relative to bin/ (lib/vst/ of the same prefix).
std::string defaultPlugin() {
  std::error_code ignored;
  const fs::path self = fs::read_symlink("/proc/self/exe", ignored);
  if (self.empty()) return "sorel.so";
  const fs::path beside = self.parent_path() / "sorel.so";
  const fs::path installed = self.parent_path().parent_path() / "lib" / "vst" / "sorel.so";
  return (fs::exists(beside, ignored) ? beside : installed).string();
}

// 1210 is version 1.2.1: one digit each for major, minor and patch, then a build digit.
std::string versionText(int v) {
  return std::to_string(v / 1000) + "." + std::to_string(v / 100 % 10) + "." + std::to_string(v / 10 % 10);
}

// This program's version, and the loaded library's when it is another.
int printVersion(const std::string& plugin) {
  std::printf("sorel-render %s\n", SOREL_VERSION);
  std::string error;
  auto session = Session::create(plugin, "", {}, &error);
  if (!session) {
    std::printf("plug-in: none loaded (%s)\n", error.c_str());
    return 0;
  }
  const std::string loaded = versionText(session->pluginVersion());
  if (loaded != SOREL_VERSION) std::printf("plug-in %s: version %s\n", plugin.c_str(), loaded.c_str());
  return 0;
}

// Two jobs writing the same file would overwrite each other: refused before
// anything is rendered.
bool outputsCollide(const std::vector<std::pair<std::string, std::string>>& jobs, std::string* error) {
  std::map<std::string, std::size_t> seen;
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    const auto [where, fresh] = seen.emplace(finalPath(jobs[i].second), i);
    if (fresh) continue;
    const std::string& first = jobs[where->second].first;
    *error = first == jobs[i].first ? first + " is given twice"
                                    : first + " and " + jobs[i].first + " would both be written to " + jobs[i].second +
                                          "; render them into different folders";
    return true;
  }
  return false;
}

// Draws one bar for all files at once, on standard error, until stopped.
class ProgressDisplay {
 public:
  ProgressDisplay(Progress& shared, bool enabled) : progress(shared) {
    if (enabled) drawer = std::thread([this] { run(); });
  }
  ~ProgressDisplay() { stop(); }
  void stop() {
    if (!drawer.joinable()) return;
    {
      std::lock_guard lock(mutex);
      done = true;
    }
    wake.notify_all();
    drawer.join();
    std::fprintf(stderr, "\r%60s\r", "");
  }

 private:
  void run() {
    std::unique_lock lock(mutex);
    while (!wake.wait_for(lock, std::chrono::milliseconds(100), [this] { return done; })) {
      const double total = static_cast<double>(progress.framesTotal.load());
      // Files rendered at once move the two counts apart: never past full.
      const double share = total > 0 ? std::min(1.0, static_cast<double>(progress.framesDone.load()) / total) : 0.0;
      const int filled = static_cast<int>(share * 40.0);
      std::fprintf(stderr, "\r[%s%s] %3d%%", std::string(static_cast<std::size_t>(filled), '#').c_str(),
                   std::string(static_cast<std::size_t>(40 - filled), '.').c_str(), static_cast<int>(share * 100.0));
      std::fflush(stderr);
    }
  }
  Progress& progress;
  std::mutex mutex;
  std::condition_variable wake;
  bool done = false;
  std::thread drawer;
};

// Reads each file's length up front, for the progress display's decision.
double longestSeconds(const std::vector<std::string>& inputs) {
  double longest = 0.0;
  for (const std::string& path : inputs) {
    std::error_code ignored;
    if (!fs::is_regular_file(path, ignored)) continue;  // a pipe read here would lose its start
    AudioReader reader;
    if (reader.open(path, nullptr) && reader.format().sampleRate > 0)
      longest = std::max(longest, static_cast<double>(reader.format().frames) / reader.format().sampleRate);
  }
  return longest;
}

SampleType sampleTypeFrom(const std::string& name) {
  static const std::map<std::string, SampleType> types = {{"same", SampleType::kSameAsInput},
                                                          {"pcm16", SampleType::kPcm16},
                                                          {"pcm24", SampleType::kPcm24},
                                                          {"pcm32", SampleType::kPcm32},
                                                          {"float", SampleType::kFloat}};
  return types.at(name);
}

// Everything the command line says.
struct CommandLine {
  std::vector<std::string> inputs;
  std::string output, plugin = defaultPlugin(), preset, savePreset, demo, type = "same", dither = "tpdf";
  std::vector<std::string> settingTexts;
  int block = 512;
  unsigned jobs = 1;
  bool list = false, json = false, quiet = false, version = false, edit = false, noReport = false;
  bool dawIdentical = false;
  // Delivery: as typed, read by deliveryOptions().
  std::string target, ceiling, maxLimiting = "6dB", deliver, plot;
  int rate = 0;
  bool failOnOvers = false;
  double quality = -1.0;
  int oversample = 1;
  std::string bitrateMode;
};

void addDeliveryOptions(CLI::App& app, CommandLine& cl) {
  app.add_option("--target", cl.target,
                 "Integrated loudness to deliver at, e.g. -14LUFS: measured on a first pass over the master, reached "
                 "by a gain (and, with --ceiling, the limiter) within 0.1 LU. The file is read twice");
  app.add_option("--ceiling", cl.ceiling,
                 "True-peak ceiling, e.g. -1dBTP: a lookahead limiter on the 4x-oversampled signal holds the output "
                 "at or under it (the same samples as without it when nothing reaches it)");
  app.add_option("--max-limiting", cl.maxLimiting,
                 "The most gain reduction the limiter may apply to reach --target (default 6dB); past it the file "
                 "is written at the most it allows and the report says by how much the target was missed");
  app.add_option("--deliver", cl.deliver,
                 "A delivery profile (--target, --ceiling and --rate given as well win):\n" + profileTable())
      ->check([](const std::string& name) {
        std::string problem;
        if (!findProfile(name)) problem.append("a profile is one of ").append(profileNames());
        return problem;
      });
  app.add_option("--rate", cl.rate,
                 "Output sample rate in Hz: libsoxr (very high quality) converts after the plug-in, before the gain "
                 "and limiter, so the ceiling holds at this rate")
      ->check(CLI::Range(1000, 768000));
  app.add_option("--plot", cl.plot,
                 "Draw a PNG of short-term loudness before and after, the target, the ceiling, true-peak overs and "
                 "the limiter's gain reduction (with several inputs, one each: FILE-INPUTNAME.png)");
  app.add_flag("--fail-on-overs", cl.failOnOvers,
               "Exit with status " + std::to_string(kExitOvers) +
                   " when an output's true peak is over the ceiling (or over 0 dBTP without one); it is always a "
                   "warning");
}

// The delivery the command line asks for: a profile's values, then the
// explicit options over them. False with *error for an unreadable level.
bool deliveryOptions(const CommandLine& cl, DeliveryOptions& d, RenderOptions& options, std::string* error) {
  if (const DeliveryProfile* profile = findProfile(cl.deliver)) {
    d.targetLufs = profile->targetLufs;
    d.ceilingDb = profile->ceilingDb;
    d.sampleRate = profile->sampleRate;
    if (profile->bits == 16 && cl.type == "same") options.sampleType = SampleType::kPcm16;
  }
  const struct {
    const std::string& text;
    const char* unit;
    double* value;
    const char* option;
  } levels[] = {{cl.target, "LUFS", &d.targetLufs, "--target"},
                {cl.ceiling, "dBTP", &d.ceilingDb, "--ceiling"},
                {cl.maxLimiting, "dB", &d.maxLimitingDb, "--max-limiting"}};
  for (const auto& level : levels)
    if (!level.text.empty() && !parseLevel(level.text, level.unit, *level.value)) {
      *error = std::string(level.option) + " takes a number in " + level.unit + ", not '" + level.text + "'";
      return false;
    }
  if (d.maxLimitingDb < 0.0) {
    *error = "--max-limiting is a reduction: 0 dB or more";
    return false;
  }
  if (cl.rate > 0) d.sampleRate = cl.rate;
  d.plot = cl.plot;
  d.plotPerInput = cl.inputs.size() > 1;
  return true;
}

// The --help text after the options.
std::string helpFooter() {
  auto line = [](int status, const char* meaning) { return "  " + std::to_string(status) + "  " + meaning + "\n"; };
  return "Exit status:\n" +
         line(kExitOk, "every file rendered") +
         line(kExitFailure, "another failure: the plug-in failed to run, an editing session failed") +
         line(kExitUsage, "usage: the command line, a setting, a preset or plug-in that cannot be used") +
         line(kExitUnreadable, "an input cannot be read or used") +
         line(kExitWrite, "a write failed: an output, the report or list, a preset, an output folder") +
         line(kExitOvers, "--fail-on-overs: an output went over its true-peak ceiling") +
         "  128+N  interrupted by signal N (SIGINT 130, SIGTERM 143, SIGHUP 129)\n"
         "With several files the status is the first failed file's; each --json record carries its own.\n";
}

// What goes in and where it goes, and the plug-in's state.
void addSessionOptions(CLI::App& app, CommandLine& cl) {
  app.add_option("inputs", cl.inputs,
                 "Audio files to master (any format libsndfile reads; mono or stereo). - is standard input, "
                 "written into an output folder as stdin.<its format's extension>");
  app.add_option("-o,--output", cl.output,
                 "Output file, or a folder (for several inputs, or when it exists or ends in /); the format "
                 "follows the output's extension, else the input's");
  app.add_option("-s,--set", cl.settingTexts,
                 "NAME=VALUE, repeatable. NAME: a qualified name from --list (stereo.salt, mid.pepper.flavour, "
                 "side.chili.on, vol.in, vol.in.wide, page, aa, ...) or #INDEX. VALUE: 0..1, 70%, on/off, "
                 "-1.5dB (vol.in, vol.out), 100Hz (spare.freq), stereo/ms (page), off/splitfir (aa)")
      ->allow_extra_args(false);
  app.add_option("--plugin", cl.plugin,
                 "The VST 2.4 library to load (default: sorel.so beside this program, else the installed "
                 "../lib/vst/sorel.so)");
  app.add_flag("--version", cl.version, "Print the version, and the plug-in library's when it differs");
  app.add_option("--preset", cl.preset, "Start from this .fxp or .fxb preset (settings apply on top)");
  app.add_option("--save-preset", cl.savePreset, "Write the state after presets and settings as .fxp or .fxb");
  app.add_flag("--edit", cl.edit,
               "Open the plug-in's editor in a window, starting from --preset and -s; closing the window (or "
               "SIGINT, SIGTERM) writes the state to --save-preset");
  app.add_flag("--list", cl.list, "Print every parameter: index, name, host name, value and display text");
  app.add_option("--demo", cl.demo,
                 "Master the built-in demo material (synthetic mix) into this file, with the built-in setting or, "
                 "when given, --preset's");
}

// How the sound is processed and written.
void addOutputOptions(CLI::App& app, CommandLine& cl) {
  app.add_option("--type", cl.type, "Output sample type")
      ->check(CLI::IsMember({"same", "pcm16", "pcm24", "pcm32", "float"}));
  app.add_option("--dither", cl.dither,
                 "Dither for 8-, 16- and 24-bit output: tpdf (default; white, ±1 LSB), shaped (the same noise "
                 "through an error-feedback filter (1-z^-1)^2: less noise below a sixth of the sample rate, more "
                 "above), or none (round to nearest). Samples already on the output's grid get no dither: "
                 "digital silence stays silent and a bypassed render into the input's depth is bit-transparent")
      ->check(CLI::IsMember({"tpdf", "shaped", "none"}));
  app.add_flag("--daw-identical", cl.dawIdentical,
               "Keep the plug-in's output exactly as a DAW gets it. By default its delay (one sample with "
               "aa=splitfir) is removed and the frames it held back are flushed out, so the output lines up "
               "with the input and keeps its length");
  app.add_option("--oversample", cl.oversample,
                 "Run the plug-in at 2 or 4 times the file's rate (libsoxr up, the plug-in, libsoxr down, at very "
                 "high quality), so that its shapers alias less; 1 (default) runs it at the file's rate")
      ->check(CLI::IsMember({1, 2, 4}));
  app.add_option("--quality", cl.quality,
                 "MP3, Ogg Vorbis and Opus: encoder quality from 0 (smallest file) to 10 (best), libsndfile's "
                 "compression level turned round (default: libsndfile's)")
      ->check(CLI::Range(0.0, 10.0));
  app.add_option("--bitrate-mode", cl.bitrateMode, "MP3: constant, average or variable bitrate")
      ->check(CLI::IsMember({"constant", "average", "variable"}));
}

// How the run goes and what it says.
void addRunOptions(CLI::App& app, CommandLine& cl) {
  app.add_option("--block", cl.block, "Block size handed to the plug-in")->check(CLI::Range(1, 8192));
  app.add_option("-j,--jobs", cl.jobs, "Files rendered at once, each with its own plug-in instance")
      ->check(CLI::Range(1u, 64u));
  app.add_flag("--no-report", cl.noReport,
               "Skip the loudness and peak measurement (it costs more than the processing)");
  app.add_flag("--json", cl.json, "Print the reports as JSON, one object per line");
  app.add_flag("-q,--quiet", cl.quiet, "No progress bar");
}

// The settings to apply: the demo's built-in ones unless a preset is given,
// then -s in order. Empty with *error for a malformed one.
bool collectSettings(const CommandLine& cl, std::vector<Setting>& settings, std::string* error) {
  if (!cl.demo.empty() && cl.preset.empty()) settings = demoSettings();
  for (const std::string& text : cl.settingTexts) {
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0) {
      *error = "a setting is NAME=VALUE, not '" + text + "'";
      return false;
    }
    settings.push_back({text.substr(0, eq), text.substr(eq + 1)});
  }
  return true;
}

// Combinations that cannot work; empty when the command line makes sense.
std::string contradiction(const CommandLine& cl) {
  if (!cl.demo.empty() && !cl.inputs.empty()) return "--demo renders the built-in material; give no input files";
  if (cl.edit && cl.savePreset.empty()) return "--edit needs --save-preset FILE: where the edited state goes";
  if (cl.edit && (!cl.inputs.empty() || !cl.demo.empty() || !cl.output.empty()))
    return "--edit only sets up a preset; render with --preset FILE afterwards";
  if (cl.demo.empty() && cl.inputs.empty() && !cl.list && cl.savePreset.empty())
    return "nothing to do: give input files and -o, or --demo, --list or --save-preset (see --help)";
  if (!cl.inputs.empty() && cl.output.empty()) return "say where the output goes with -o";
  if (!cl.demo.empty() && !cl.output.empty())
    return "--demo writes the file it names; give no -o " + cl.output;
  std::error_code ignored;
  for (const std::string& in : cl.inputs)
    if (in.find('=') != std::string::npos && !fs::exists(in, ignored))
      return "'" + in + "' is not a file but looks like a setting; each setting needs its own -s (-s a=1 -s b=2)";
  if (cl.inputs.size() > 1 && !fs::is_directory(cl.output, ignored) && cl.output.back() != '/' &&
      fs::path(cl.output).has_extension())
    return "-o " + cl.output + " names a file, but there are " + std::to_string(cl.inputs.size()) +
           " inputs; give a folder (one that exists, or a name ending in /)";
  if (cl.output == "-" || cl.demo == "-") return "standard output (-o -) is not an output here; give a file name";
  return "";
}

RenderOptions renderOptions(const CommandLine& cl) {
  RenderOptions options;
  options.sampleType = sampleTypeFrom(cl.type);
  if (!cl.demo.empty() && cl.type == "same") options.sampleType = SampleType::kPcm24;
  options.dither = cl.dither == "none"     ? Dither::kNone
                   : cl.dither == "shaped" ? Dither::kShaped
                                           : Dither::kTriangular;
  options.blockSize = cl.block;
  options.measure = !cl.noReport;
  options.dawIdentical = cl.dawIdentical;
  options.oversample = cl.oversample;
  options.encoding.quality = cl.quality;
  if (!cl.bitrateMode.empty())
    options.encoding.bitrateMode = cl.bitrateMode == "constant"  ? SF_BITRATE_MODE_CONSTANT
                                   : cl.bitrateMode == "average" ? SF_BITRATE_MODE_AVERAGE
                                                                 : SF_BITRATE_MODE_VARIABLE;
  return options;
}

using Jobs = std::vector<std::pair<std::string, std::string>>;  // input, output

// The demo's source is generated beside its output under a temporary name
// (`source`): never committed, so removed at the end or on interruption.
bool planDemo(const std::string& demo, std::optional<ReplacingFile>& source, Jobs& jobs, std::string* error) {
  const std::string& path = source.emplace(demo).temporaryPath();
  AudioWriter writer;
  const std::vector<float> material = demoMaterial(48000, 8.0);
  if (!writer.open(path, demo, {48000, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 0}, Dither::kNone, error) ||
      !writer.write(material.data(), static_cast<std::int64_t>(material.size() / 2), error) || !writer.close(error))
    return false;
  jobs.emplace_back(path, demo);
  return true;
}

// Which input goes to which output: one file, or each into a folder.
ExitStatus planInputs(const CommandLine& cl, Jobs& jobs, std::string* error) {
  const std::string& output = cl.output;
  std::error_code ignored, why;
  const bool folder = cl.inputs.size() > 1 || fs::is_directory(output, ignored) || output.back() == '/';
  if (folder && !fs::is_directory(output, ignored) && !fs::create_directories(output, why)) {
    *error = "cannot create the output folder " + output + ": " + why.message();
    return kExitWrite;
  }
  for (const std::string& in : cl.inputs) {
    const std::string out = folder ? (fs::path(output) / fs::path(in).filename()).string() : output;
    if (fs::exists(out, ignored) && fs::equivalent(in, out, ignored)) {
      *error = "the output " + out + " is the input itself; choose another place";
      return kExitUsage;
    }
    jobs.emplace_back(in, out);
  }
  return kExitOk;
}

struct Outcomes {
  explicit Outcomes(std::size_t n) : reports(n), errors(n), ok(n, 0) {}
  std::vector<FileReport> reports;
  std::vector<std::string> errors;
  std::vector<char> ok;  // not vector<bool>: its bits share words between threads
};

// Renders every job on up to `threadCount` threads, with one progress bar.
Outcomes renderAll(const Session& session, const Jobs& jobs, const RenderOptions& options, const CommandLine& cl) {
  Progress progress;
  std::vector<std::string> sources;
  for (const auto& job : jobs) sources.push_back(job.first);
  ProgressDisplay display(progress, !cl.quiet && !cl.json && isatty(2) && longestSeconds(sources) > 5.0);
  Outcomes outcomes(jobs.size());
  std::atomic<std::size_t> next{0};
  auto worker = [&] {
    for (std::size_t i = next++; i < jobs.size(); i = next++)
      outcomes.ok[i] = renderFile(session, jobs[i].first, jobs[i].second, options, &progress, outcomes.reports[i],
                                  &outcomes.errors[i]);
  };
  std::vector<std::thread> threads;
  for (unsigned t = 1; t < std::min<std::size_t>(cl.jobs, jobs.size()); ++t) threads.emplace_back(worker);
  worker();
  for (std::thread& t : threads) t.join();
  display.stop();
  return outcomes;
}

// The reports on standard output, warnings and errors on standard error.
// The status is the first failed file's.
int printReports(Outcomes& outcomes, const Jobs& jobs, const CommandLine& cl) {
  int status = kExitOk;
  for (std::size_t i = 0; i < outcomes.reports.size(); ++i) {
    if (!outcomes.ok[i]) {
      const ExitStatus failed = outcomes.reports[i].exitStatus;
      fail(outcomes.errors[i]);
      if (status == kExitOk) status = failed;
      const std::string input = cl.demo.empty() ? jobs[i].first : "built-in demo material";
      if (cl.json) std::cout << failureJson(input, jobs[i].second, outcomes.errors[i], failed) << "\n";
      continue;
    }
    FileReport& report = outcomes.reports[i];
    for (const std::string& warning : report.warnings) std::fprintf(stderr, "sorel-render: %s\n", warning.c_str());
    if (!cl.demo.empty()) report.input = "built-in demo material";
    if (cl.failOnOvers && report.delivery.overs) report.exitStatus = kExitOvers;  // written, but not as asked
    std::cout << (cl.json ? reportJson(report) + "\n" : reportText(report));
    if (status == kExitOk) status = report.exitStatus;
  }
  if (!printed()) return fail(std::string("cannot write the report: ") + std::strerror(errno), kExitWrite);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  watchInterruptions();
  CLI::App app{
      "sorel-render: masters audio files through the Sorel VST 2.4 plug-in, with the same samples a DAW would "
      "get (aligned with the input unless --daw-identical), and reports peak, true peak, loudness and loudness range before and after. Text tags, a WAV "
      "file's broadcast extension and cue points go to the output where its format holds them.\n\n"
      "  sorel-render -s stereo.salt=40% -s vol.out=-0.5dB in.wav -o out.wav\n"
      "  sorel-render --preset album.fxp -j 2 -o mastered/ *.flac\n"
      "  sorel-render --demo demo.wav",
      "sorel-render"};
  CommandLine cl;
  addSessionOptions(app, cl);
  addOutputOptions(app, cl);
  addDeliveryOptions(app, cl);
  addRunOptions(app, cl);
  app.footer(helpFooter());
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e);
    return fail(e.what(), kExitUsage);
  }
  if (cl.version) return printVersion(cl.plugin);

  std::string error;
  std::vector<Setting> settings;
  if (!collectSettings(cl, settings, &error)) return fail(error, kExitUsage);
  if (const std::string why = contradiction(cl); !why.empty()) return fail(why, kExitUsage);

  auto session = Session::create(cl.plugin, cl.preset, settings, &error);
  if (!session) return fail(error, kExitUsage);
  if (cl.list) {
    session->list(std::cout);
    if (!printed()) return fail(std::string("cannot write the list: ") + std::strerror(errno), kExitWrite);
  }
  if (cl.edit) {
    static std::atomic<int> interrupted{0};
    deferInterruptions(interrupted);
    return editAndSavePreset(*session, cl.savePreset, interrupted, &error) ? 0 : fail(error);
  }

  Jobs jobs;
  std::optional<ReplacingFile> demoSource;
  if (!cl.demo.empty() && !planDemo(cl.demo, demoSource, jobs, &error)) return fail(error, kExitWrite);
  if (!cl.inputs.empty())
    if (const ExitStatus status = planInputs(cl, jobs, &error); status != kExitOk) return fail(error, status);
  if (outputsCollide(jobs, &error)) return fail(error, kExitUsage);
  if (jobs.empty())
    return cl.savePreset.empty() || session->savePreset(cl.savePreset, &error) ? 0 : fail(error, kExitWrite);

  RenderOptions options = renderOptions(cl);
  if (!deliveryOptions(cl, options.delivery, options, &error)) return fail(error, kExitUsage);
  options.measure = options.measure || !cl.plot.empty();  // the plot draws what the meters saw
  Outcomes outcomes = renderAll(*session, jobs, options, cl);
  const int status = printReports(outcomes, jobs, cl);
  // The preset records the state the files were rendered with: only written
  // when they all were.
  if (status == 0 && !cl.savePreset.empty() && !session->savePreset(cl.savePreset, &error))
    return fail(error, kExitWrite);
  return status;
}
