// The parameter model's fixed data: indices, the static parameter table and
// the display texts.
#pragma once

#include <cstdint>

namespace sorel {

constexpr int kNumParams = 87;

// One row of the parameter table. low, high, step and last are carried for
// the table's users; the parameter model reads only name and default.
struct ParamDesc {
  char name[32];
  std::int32_t low;
  std::int32_t high;
  std::int32_t step;
  float defaultValue;
  std::int32_t last;
};

extern const ParamDesc kParamTable[kNumParams];

enum ParamIndex : int {
  kGlobalOn = 0,
  kPage = 1,
  kVolIn = 2,
  kVolOut = 3,
  kFilterFreq = 4,     // a "spare" shown as 25..250 Hz; no effect on the sound
  kCompareSelect = 8,  // a "spare": selected compare store, k/128
  kCompValidA = 9,     // ..B = 10, ..C = 11
  kStereoBase = 12,
  kMidBase = 36,
  kSideBase = 60,
  kInRange = 84,   // "3/18dbIn" of vol in
  kOutRange = 85,  // "3/18dbIn" of vol out (the same name)
  kAntiAlias = 86,
  // Command indices: never stored, never saved.
  kCmdNothing = 87,
  kCmdConvertSets = 88,  // mode k/128: 0 Stereo to Mid+Side, 1 Stereo to Mid, 2 Mid to Stereo, 3 Mid to Side
  kCmdInputClip = 89,    // from the engine, only for the editor
  kCmdCaptureA = 90,     // ..B = 91, ..C = 92
  kCmdMonoInput = 93,    // from the speaker arrangement, only for the editor
};

constexpr bool isParameter(int index) { return index >= 0 && index < kNumParams; }

// Whole-number settings travel as k/128 and come back by truncation. Values
// no int can hold (NaN included) come back as a number nothing acts on.
constexpr int wholeNumber(float value) {
  const float scaled = 128.0f * value;
  if (scaled > -1.0e9f && scaled < 1.0e9f) return static_cast<int>(scaled);
  return scaled > 0.0f ? 1000000000 : -1000000000;
}

// Display frequency of the "spare" at index 4: 25 Hz at 0, 250 Hz at 1.
inline float filterFrequency(float v) { return v * 225.0f + 25.0f; }

constexpr int kDisplayTextSize = 32;  // bytes written at most, NUL included

// The text the host and the editor show for `value` of parameter `index`.
// inWide / outWide are the current range switches of vol in / vol out.
void formatParameterDisplay(int index, float value, bool inWide, bool outWide, char* text);

// Copies the table name (at most 24 bytes; every name is shorter), or an
// empty text outside 0..86.
void copyParameterName(int index, char* text);

}  // namespace sorel
