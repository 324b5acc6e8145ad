// Fuzz entry point for the preset reader: whatever it accepts must come back
// unchanged through the writer, at the size it came in, and a refusal must say why.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "preset.h"

namespace {

[[noreturn]] void broken(const char* what) {
  std::fprintf(stderr, "preset fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sorel::host;
  Preset first;
  std::string error;
  if (!decodePreset(data, size, first, &error)) {
    if (error.empty()) broken("refusal without a message");
    return 0;
  }
  const std::vector<unsigned char> bytes = encodePreset(first);
  if (bytes.size() != size) broken("re-encoded size differs from the accepted input");
  Preset second;
  if (!decodePreset(bytes.data(), bytes.size(), second, &error)) broken("own encoding refused");
  if (!(second == first)) broken("round trip changed the preset");
  if (encodePreset(second) != bytes) broken("second encoding differs from the first");
  return 0;
}
