// The mastered signal kept between the measurement pass and the passes that
// use it, in an anonymous temporary file (removed by the system however the
// program ends; ten minutes of 48 kHz stereo are 230 MB, more than memory
// should hold per job). Written once, then read back as often as needed.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace sorel::host {

class SignalStore {
 public:
  // Null with *error when no temporary file can be made.
  static std::unique_ptr<SignalStore> create(int channels, std::string* error);
  ~SignalStore();
  SignalStore(const SignalStore&) = delete;
  SignalStore& operator=(const SignalStore&) = delete;

  bool append(const std::vector<float>& interleaved, std::string* error) {
    return append(interleaved.data(), static_cast<std::int64_t>(interleaved.size()) / channels, error);
  }
  bool append(const float* interleaved, std::int64_t frames, std::string* error);
  // Plays the whole signal from the start in blocks of up to `frames`
  // frames; `take` returns false to stop early. False with *error when the
  // file cannot be read back.
  template <typename Take>
  bool replay(int frames, Take take, std::string* error);

  // Sequential reading from the start: restart, then read until it gives 0.
  bool restart(std::string* error) { return rewind(error); }
  std::int64_t read(float* interleaved, std::int64_t frames);

  std::int64_t frames() const { return stored; }
  int channelCount() const { return channels; }

 private:
  SignalStore(std::FILE* f, int count) : file(f), channels(count) {}
  bool rewind(std::string* error);
  std::size_t readBlock(std::vector<float>& block, int frames);
  std::FILE* file;
  int channels;
  std::int64_t stored = 0;
};

template <typename Take>
bool SignalStore::replay(int blockFrames, Take take, std::string* error) {
  if (!rewind(error)) return false;
  std::vector<float> block;
  for (std::int64_t left = stored; left > 0;) {
    const std::size_t got = readBlock(block, static_cast<int>(std::min<std::int64_t>(left, blockFrames)));
    if (got == 0) {
      if (error) *error = "the temporary copy of the mastered signal could not be read back";
      return false;
    }
    left -= static_cast<std::int64_t>(got);
    if (!take(block)) return true;
  }
  return true;
}

}  // namespace sorel::host
