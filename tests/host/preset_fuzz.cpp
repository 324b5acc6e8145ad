// Fuzz entry point for the preset reader: whatever it accepts must come back
// unchanged through the writer, at the size it came in, and a refusal must say why.
#include <string>
#include <vector>

#include "../fuzz/fuzzinput.h"
#include "preset.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sorel::host;
  using sorel::fuzz::broken;
  Preset first;
  std::string error;
  if (!decodePreset(data, size, first, &error)) {
    if (error.empty()) broken("preset", "refusal without a message");
    return 0;
  }
  const std::vector<unsigned char> bytes = encodePreset(first);
  if (bytes.size() != size) broken("preset", "re-encoded size differs from the accepted input");
  Preset second;
  if (!decodePreset(bytes.data(), bytes.size(), second, &error)) broken("preset", "own encoding refused");
  if (!(second == first)) broken("preset", "round trip changed the preset");
  if (encodePreset(second) != bytes) broken("preset", "second encoding differs from the first");
  return 0;
}
