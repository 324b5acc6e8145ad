// The fixture of the sorel-render tests: a scratch folder per test, the
// real binary run through the shell, audio files written and read back.
#pragma once

#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "host.h"
#include "parameters.h"
#include "preset.h"

namespace sorel::test {

namespace fs = std::filesystem;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class Render : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("sorel-render-test-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    // For sorel-render in the sanitizer build (the others ignore it).
    setenv("LSAN_OPTIONS", "suppressions=" SOREL_RENDER_LSAN_SUPPRESSIONS, 1);
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string path(const std::string& name) const { return (dir / name).string(); }

  // Runs sorel-render with `args` (shell syntax); `before` goes in front of
  // the command (a cd, say). The status is sorel-render's, after the shell
  // has waited for anything `before` started in the background. Standard
  // output goes to `output` when one is given (and Outcome::out is empty).
  Outcome run(const std::string& args, const std::string& before = "", const std::string& output = "") const {
    const std::string out = output.empty() ? path("stdout.txt") : output, err = path("stderr.txt");
    const std::string command =
        before + std::string(SOREL_RENDER) + " " + args + " >" + out + " 2>" + err + "; s=$?; wait; exit $s";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, output.empty() ? slurp(out) : "", slurp(err)};
  }

  // A run that must succeed.
  Outcome render(const std::string& args, const std::string& before = "") const {
    Outcome r = run(args, before);
    EXPECT_EQ(r.status, 0) << args << "\n" << r.err;
    return r;
  }

  static std::string slurp(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // Writes interleaved float frames, after whatever `tag` adds to the open
  // file (strings, chunks); returns the path.
  std::string writeAudio(const std::string& name, const std::vector<float>& frames, int channels,
                         int format = SF_FORMAT_WAV | SF_FORMAT_FLOAT, int rate = 44100,
                         const std::function<void(SNDFILE*)>& tag = {}) const {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(path(name).c_str(), SFM_WRITE, &info);
    EXPECT_TRUE(f);
    if (tag) tag(f);
    sf_writef_float(f, frames.data(), static_cast<sf_count_t>(frames.size() / static_cast<std::size_t>(channels)));
    sf_close(f);
    return path(name);
  }

  // A program preset holding `chunk` as the plug-in's state; returns the path.
  std::string writePreset(const std::string& name, const std::vector<unsigned char>& chunk,
                          VstInt32 id = kFourCC('S', 'O', 'R', 'L')) const {
    host::Preset preset;
    preset.uniqueID = id;
    preset.count = kNumParams;
    preset.chunk = chunk;
    std::string error;
    EXPECT_TRUE(host::writePresetFile(path(name), preset, &error)) << error;
    return path(name);
  }

 public:
  // Also for the free helpers of the test files.
  static std::vector<float> readAudio(const std::string& file, int* channels = nullptr, int* rate = nullptr) {
    SF_INFO info{};
    SNDFILE* f = sf_open(file.c_str(), SFM_READ, &info);
    if (!f) return {};
    std::vector<float> frames(static_cast<std::size_t>(info.frames * info.channels));
    sf_readf_float(f, frames.data(), info.frames);
    sf_close(f);
    if (channels) *channels = info.channels;
    if (rate) *rate = info.samplerate;
    return frames;
  }

 protected:
  // Noise on a slow sine, peaking around 1.5 times `level`.
  static std::vector<float> music(std::size_t frames, int channels, unsigned seed, float level = 1.0f) {
    std::mt19937 random(seed);
    std::normal_distribution<float> noise(0.0f, 0.3f);
    std::vector<float> x(frames * static_cast<std::size_t>(channels));
    for (std::size_t i = 0; i < x.size(); ++i)
      x[i] = level * (0.6f * std::sin(0.002f * static_cast<float>(i)) + noise(random));
    return x;
  }

  // Only the files the test itself made are there: nothing partial was left.
  std::vector<std::string> files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
      const std::string name = entry.path().filename().string();
      if (entry.is_regular_file() && name != "stdout.txt" && name != "stderr.txt") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // The plug-in itself, loaded here rather than by the binary under test.
  std::unique_ptr<host::HostedEffect> direct() {
    std::string error;
    auto fx = host::HostedEffect::create(host::PluginLibrary::open(SOREL_PLUGIN_PATH, &error), directHost, &error);
    EXPECT_TRUE(fx) << error;
    return fx;
  }

  fs::path dir;
  host::Host directHost;
};

}  // namespace sorel::test
