#include "params.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "volume.h"

namespace sorel {

namespace {

void formatDecibels(float gain, char* text) {
  const auto logGain = static_cast<float>(std::log10(static_cast<double>(gain)));
  std::snprintf(text, kDisplayTextSize, "%.2fdB", static_cast<double>(20.0f * logGain));
}

}  // namespace

void formatParameterDisplay(int index, float v, bool inWide, bool outWide, char* text) {
  text[0] = 0;
  if (!isParameter(index)) return;
  switch (shownAs(index)) {
    case Shown::kDecibels:
      formatDecibels(volumeGain(v, rangeSwitchOf(index) == kInRange ? inWide : outWide), text);
      break;
    case Shown::kHertz:
      std::snprintf(text, kDisplayTextSize, "%.1fHz", static_cast<double>(filterFrequency(v)));
      break;
    case Shown::kPercent:
      std::snprintf(text, kDisplayTextSize, "%.2f%%", static_cast<double>(v * 100.0f));
      break;
    case Shown::kPlain:
      std::snprintf(text, kDisplayTextSize, "%f", static_cast<double>(v));
      break;
  }
}

void copyParameterName(int index, char* text) {
  text[0] = 0;
  if (!isParameter(index)) return;
  const char* name = kParamTable[index].name;
  const std::size_t length = strnlen(name, 23);
  std::memcpy(text, name, length);
  text[length] = 0;
}

}  // namespace sorel
