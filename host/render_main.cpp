// sorel-render: masters audio files through the Sorel plug-in (or any VST 2.4
// library) from the command line. See --help.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "demomaterial.h"
#include "editsession.h"
#include "interruption.h"
#include "outputtarget.h"
#include "render.h"
#include "replacingfile.h"
#include "report.h"

namespace {

namespace fs = std::filesystem;
using namespace sorel::host;

int fail(const std::string& reason) {
  std::fprintf(stderr, "sorel-render: %s\n", reason.c_str());
  return 1;
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
      const double share = total > 0 ? static_cast<double>(progress.framesDone.load()) / total : 0.0;
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

}  // namespace

int main(int argc, char** argv) {
  watchInterruptions();
  CLI::App app{
      "sorel-render: masters audio files through the Sorel VST 2.4 plug-in, with the same samples a DAW would "
      "get, and reports peak, true peak, loudness and loudness range before and after.\n\n"
      "  sorel-render -s stereo.salt=40% -s vol.out=-0.5dB in.wav -o out.wav\n"
      "  sorel-render --preset album.fxp -j 2 -o mastered/ *.flac\n"
      "  sorel-render --demo demo.wav",
      "sorel-render"};
  std::vector<std::string> inputs;
  std::string output, plugin = defaultPlugin(), preset, savePreset, demo, type = "same", dither = "tpdf";
  std::vector<std::string> settingTexts;
  int block = 512;
  unsigned jobs = 1;
  bool list = false, json = false, quiet = false, version = false, edit = false;
  app.add_option("inputs", inputs, "Audio files to master (any format libsndfile reads; mono or stereo)");
  app.add_option("-o,--output", output,
                 "Output file, or a folder (for several inputs, or when it exists or ends in /); the format "
                 "follows the output's extension, else the input's");
  app.add_option("-s,--set", settingTexts,
                 "NAME=VALUE, repeatable. NAME: a qualified name from --list (stereo.salt, mid.pepper.flavour, "
                 "side.chili.on, vol.in, vol.in.wide, page, aa, ...) or #INDEX. VALUE: 0..1, 70%, on/off, "
                 "-1.5dB (vol.in, vol.out), 100Hz (spare.freq), stereo/ms (page), off/splitfir (aa)")
      ->allow_extra_args(false);
  app.add_option("--plugin", plugin,
                 "The VST 2.4 library to load (default: sorel.so beside this program, else the installed "
                 "../lib/vst/sorel.so)");
  app.add_flag("--version", version, "Print the version, and the plug-in library's when it differs");
  app.add_option("--preset", preset, "Start from this .fxp or .fxb preset (settings apply on top)");
  app.add_option("--save-preset", savePreset, "Write the state after presets and settings as .fxp or .fxb");
  app.add_flag("--edit", edit,
               "Open the plug-in's editor in a window, starting from --preset and -s; closing the window (or "
               "SIGINT, SIGTERM) writes the state to --save-preset");
  app.add_flag("--list", list, "Print every parameter: index, name, host name, value and display text");
  app.add_option("--type", type, "Output sample type")
      ->check(CLI::IsMember({"same", "pcm16", "pcm24", "pcm32", "float"}));
  app.add_option("--dither", dither, "Dither for 16- and 24-bit output: tpdf (default) or none")
      ->check(CLI::IsMember({"tpdf", "none"}));
  app.add_option("--block", block, "Block size handed to the plug-in")->check(CLI::Range(1, 8192));
  app.add_option("-j,--jobs", jobs, "Files rendered at once, each with its own plug-in instance")
      ->check(CLI::Range(1u, 64u));
  bool noReport = false;
  app.add_flag("--no-report", noReport, "Skip the loudness and peak measurement (it costs more than the processing)");
  app.add_flag("--json", json, "Print the reports as JSON, one object per line");
  app.add_flag("-q,--quiet", quiet, "No progress bar");
  app.add_option("--demo", demo,
                 "Master the built-in demo material (synthetic mix) into this file, with the built-in setting or, "
                 "when given, --preset's");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e);
    return fail(e.what());
  }

  if (version) return printVersion(plugin);

  // The demo masters with its built-in setting unless a preset is given.
  std::vector<Setting> settings;
  if (!demo.empty() && preset.empty()) settings = demoSettings();
  for (const std::string& text : settingTexts) {
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0) return fail("a setting is NAME=VALUE, not '" + text + "'");
    settings.push_back({text.substr(0, eq), text.substr(eq + 1)});
  }
  if (!demo.empty() && !inputs.empty()) return fail("--demo renders the built-in material; give no input files");
  if (edit && savePreset.empty()) return fail("--edit needs --save-preset FILE: where the edited state goes");
  if (edit && (!inputs.empty() || !demo.empty() || !output.empty()))
    return fail("--edit only sets up a preset; render with --preset FILE afterwards");
  if (demo.empty() && inputs.empty() && !list && savePreset.empty())
    return fail("nothing to do: give input files and -o, or --demo, --list or --save-preset (see --help)");
  if (!inputs.empty() && output.empty()) return fail("say where the output goes with -o");
  if (output == "-" || demo == "-") return fail("standard output (-o -) is not an output here; give a file name");

  std::string error;
  auto session = Session::create(plugin, preset, settings, &error);
  if (!session) return fail(error);
  if (list) session->list(std::cout);
  if (edit) {
    static std::atomic<int> interrupted{0};
    deferInterruptions(interrupted);
    return editAndSavePreset(*session, savePreset, interrupted, &error) ? 0 : fail(error);
  }

  // Which file goes where.
  std::vector<std::pair<std::string, std::string>> jobsList;
  // The demo's generated source, beside its output: never committed, so it is
  // removed at the end, or on interruption.
  std::optional<ReplacingFile> demoSource;
  RenderOptions options;
  options.sampleType = sampleTypeFrom(type);
  options.dither = dither == "none" ? Dither::kNone : Dither::kTriangular;
  options.blockSize = block;
  options.measure = !noReport;
  if (!demo.empty()) {
    const std::string& source = demoSource.emplace(demo).temporaryPath();
    AudioWriter writer;
    const std::vector<float> material = demoMaterial(48000, 8.0);
    if (!writer.open(source, source, {48000, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 0}, Dither::kNone, &error) ||
        !writer.write(material.data(), static_cast<std::int64_t>(material.size() / 2), &error) || !writer.close(&error))
      return fail(error);
    if (type == "same") options.sampleType = SampleType::kPcm24;
    jobsList.emplace_back(source, demo);
  } else if (!inputs.empty()) {
    std::error_code ignored;
    const bool folder = inputs.size() > 1 || fs::is_directory(output, ignored) || output.back() == '/';
    if (folder && !fs::is_directory(output, ignored) && !fs::create_directories(output, ignored))
      return fail("cannot create the output folder " + output);
    for (const std::string& in : inputs) {
      const std::string out = folder ? (fs::path(output) / fs::path(in).filename()).string() : output;
      if (fs::exists(out, ignored) && fs::equivalent(in, out, ignored))
        return fail("the output " + out + " is the input itself; choose another place");
      jobsList.emplace_back(in, out);
    }
  }
  if (outputsCollide(jobsList, &error)) return fail(error);
  if (jobsList.empty()) return savePreset.empty() || session->savePreset(savePreset, &error) ? 0 : fail(error);

  Progress progress;
  std::vector<std::string> sources;
  for (const auto& job : jobsList) sources.push_back(job.first);
  ProgressDisplay display(progress, !quiet && !json && isatty(2) && longestSeconds(sources) > 5.0);
  std::vector<FileReport> reports(jobsList.size());
  std::vector<std::string> errors(jobsList.size());
  std::vector<char> ok(jobsList.size(), 0);  // not vector<bool>: its bits share words between threads
  std::atomic<std::size_t> next{0};
  auto worker = [&] {
    for (std::size_t i = next++; i < jobsList.size(); i = next++)
      ok[i] = renderFile(*session, jobsList[i].first, jobsList[i].second, options, &progress, reports[i], &errors[i]);
  };
  std::vector<std::thread> threads;
  for (unsigned t = 1; t < std::min<std::size_t>(jobs, jobsList.size()); ++t) threads.emplace_back(worker);
  worker();
  for (std::thread& t : threads) t.join();
  display.stop();

  int status = 0;
  for (std::size_t i = 0; i < jobsList.size(); ++i) {
    if (!ok[i]) {
      status = fail(errors[i]);
      continue;
    }
    for (const std::string& warning : reports[i].warnings) std::fprintf(stderr, "sorel-render: %s\n", warning.c_str());
    if (!demo.empty()) reports[i].input = "built-in demo material";
    std::cout << (json ? reportJson(reports[i]) + "\n" : reportText(reports[i]));
  }
  // The preset records the state the files were rendered with: only written
  // when they all were.
  if (status == 0 && !savePreset.empty() && !session->savePreset(savePreset, &error)) return fail(error);
  return status;
}
