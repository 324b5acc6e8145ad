#include "signalstore.h"

#include <cerrno>
#include <cstring>
#include <memory>

namespace sorel::host {

std::unique_ptr<SignalStore> SignalStore::create(int channels, std::string* error) {
  std::FILE* f = std::tmpfile();
  if (!f) {
    if (error) *error = std::string("cannot make a temporary file for the measurement pass: ") + std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<SignalStore>(new SignalStore(f, channels));
}

SignalStore::~SignalStore() { std::fclose(file); }

bool SignalStore::append(const float* interleaved, std::int64_t count, std::string* error) {
  const std::size_t samples = static_cast<std::size_t>(count * channels);
  if (samples == 0) return true;
  if (std::fwrite(interleaved, sizeof(float), samples, file) != samples) {
    if (error)
      *error = std::string("cannot keep the mastered signal for the second pass (temporary file: ") +
               std::strerror(errno) + ")";
    return false;
  }
  stored += count;
  return true;
}

bool SignalStore::rewind(std::string* error) {
  if (std::fflush(file) == 0 && std::fseek(file, 0, SEEK_SET) == 0) return true;
  if (error) *error = std::string("cannot read back the mastered signal: ") + std::strerror(errno);
  return false;
}

std::int64_t SignalStore::read(float* interleaved, std::int64_t count) {
  const std::size_t got = std::fread(interleaved, sizeof(float) * static_cast<std::size_t>(channels),
                                     static_cast<std::size_t>(count), file);
  return static_cast<std::int64_t>(got);
}

std::size_t SignalStore::readBlock(std::vector<float>& block, int frames) {
  block.resize(static_cast<std::size_t>(frames * channels));
  const std::size_t got = std::fread(block.data(), sizeof(float), block.size(), file);
  block.resize(got - got % static_cast<std::size_t>(channels));
  return block.size() / static_cast<std::size_t>(channels);
}

}  // namespace sorel::host
