// The parameter model: the parameters' indices, names, kinds and defaults,
// the command indices above them, and how whole numbers and switches travel
// as normalised values. Read by the engine, the plug-in, the editor and the
// host; everything else about a parameter is derived from kParamTable.
#pragma once

#include <span>

namespace sorel {

constexpr int kNumParams = 87;

enum ParamIndex : int {
  kNoParam = -1,  // a control or row that sets no parameter
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
  kCmdConvertSets = 88,  // a Conversion k as k/128
  kCmdInputClip = 89,    // from the engine, only for the editor
  kCmdCaptureA = 90,     // ..B = 91, ..C = 92
  kCmdMonoInput = 93,    // from the speaker arrangement, only for the editor
};

// A module set: four modules (Salt, Pepper, Sugar, Chili) of six parameters,
// amount, flavour, on switch, X1..X3.
constexpr int kParamsPerModule = 6;
constexpr int kParamsPerSet = 4 * kParamsPerModule;
enum Module : int { kSalt, kPepper, kSugar, kChili };
enum ModuleRole : int { kAmount, kFlavour, kModuleOn, kX1, kX2, kX3 };
// The parameter of `role` in `module` of the set starting at `setBase`.
constexpr ParamIndex moduleParam(ParamIndex setBase, Module module, ModuleRole role) {
  return static_cast<ParamIndex>(setBase + module * kParamsPerModule + role);
}

// The set conversions of kCmdConvertSets, by mode (the transfer menu's
// entries in this order).
enum class Conversion : int { kStereoToMidAndSide, kStereoToMid, kMidToStereo, kMidToSide };
constexpr int kNumConversions = 4;
// A conversion copies the first 21 offsets of a set: every module's amount,
// flavour and switch, and the X values of all modules but Chili.
constexpr int kConvertedPerSet = kChili * kParamsPerModule + kModuleOn + 1;
static_assert(kConvertedPerSet == 21);

// How a value is read: a level (any value 0..1), an on/off switch, or a
// whole-number choice sent as k/128.
enum class ParamKind : unsigned char { kLevel, kSwitch, kPage, kAntiAlias };

// How the host and the editor show a value v: "%f" of v; "%.2f%%" of 100 v;
// "%.2fdB" of the volume's gain in the range its switch sets; "%.1fHz" of
// the display frequency. Side Chili X1..X3 keep the plain form.
enum class Shown : unsigned char { kPlain, kPercent, kDecibels, kHertz };

struct ParamRow {
  int index;
  const char* qualified;  // unique, typeable: "stereo.salt.on"; the host's names collide
  const char* name;       // what the host is told
  ParamKind kind;
  float defaultValue;
  Shown shown;
};

// clang-format off
inline constexpr ParamRow kParamTable[kNumParams] = {
    {0, "global.on", "global on", ParamKind::kSwitch, 1.0f, Shown::kPlain},
    {1, "page", "page", ParamKind::kPage, 0.0f, Shown::kPlain},
    {2, "vol.in", "vol in", ParamKind::kLevel, 0.5f, Shown::kDecibels},
    {3, "vol.out", "vol out", ParamKind::kLevel, 0.5f, Shown::kDecibels},
    {4, "spare.freq", "spare", ParamKind::kLevel, 0.33333334f, Shown::kHertz},
    {5, "spare.5", "spare", ParamKind::kLevel, 0.0f, Shown::kPlain},
    {6, "spare.6", "spare", ParamKind::kLevel, 0.0f, Shown::kPlain},
    {7, "spare.7", "spare", ParamKind::kLevel, 0.0f, Shown::kPlain},
    {8, "compare.select", "spare", ParamKind::kLevel, 0.0f, Shown::kPlain},
    {9, "compare.a", "CompValidA", ParamKind::kSwitch, 0.0f, Shown::kPlain},
    {10, "compare.b", "CompValidB", ParamKind::kSwitch, 0.0f, Shown::kPlain},
    {11, "compare.c", "CompValidC", ParamKind::kSwitch, 0.0f, Shown::kPlain},
    {12, "stereo.salt", "Salt", ParamKind::kLevel, 0.0f, Shown::kPercent},
    {13, "stereo.salt.flavour", "Salt Flavour", ParamKind::kLevel, 0.5f, Shown::kPercent},
    {14, "stereo.salt.on", "Salt On", ParamKind::kSwitch, 1.0f, Shown::kPercent},
    {15, "stereo.salt.x1", "StereoSaltX1", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {16, "stereo.salt.x2", "StereoSaltX2", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {17, "stereo.salt.x3", "StereoSaltX3", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {18, "stereo.pepper", "Pepper", ParamKind::kLevel, 0.0f, Shown::kPercent},
    {19, "stereo.pepper.flavour", "Pepper Flavour", ParamKind::kLevel, 0.5f, Shown::kPercent},
    {20, "stereo.pepper.on", "PepperOn", ParamKind::kSwitch, 1.0f, Shown::kPercent},
    {21, "stereo.pepper.x1", "StereoPepperX1", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {22, "stereo.pepper.x2", "StereoPepperX2", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {23, "stereo.pepper.x3", "StereoPepperX3", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {24, "stereo.sugar", "Sugar", ParamKind::kLevel, 0.0f, Shown::kPercent},
    {25, "stereo.sugar.flavour", "Sugar Flavour", ParamKind::kLevel, 0.5f, Shown::kPercent},
    {26, "stereo.sugar.on", "SugarOn", ParamKind::kSwitch, 1.0f, Shown::kPercent},
    {27, "stereo.sugar.x1", "StereoSugarX1", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {28, "stereo.sugar.x2", "StereoSugarX2", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {29, "stereo.sugar.x3", "StereoSugarX3", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {30, "stereo.chili", "Chili", ParamKind::kLevel, 0.0f, Shown::kPercent},
    {31, "stereo.chili.flavour", "Chili Flavour", ParamKind::kLevel, 0.5f, Shown::kPercent},
    {32, "stereo.chili.on", "Chili", ParamKind::kSwitch, 1.0f, Shown::kPercent},
    {33, "stereo.chili.x1", "StereoChiliX1", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {34, "stereo.chili.x2", "StereoChiliX2", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {35, "stereo.chili.x3", "StereoChiliX3", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {36, "mid.salt", "Salt", ParamKind::kLevel, 0.0f, Shown::kPercent},
    {37, "mid.salt.flavour", "Salt Flavour", ParamKind::kLevel, 0.5f, Shown::kPercent},
    {38, "mid.salt.on", "Salt On", ParamKind::kSwitch, 1.0f, Shown::kPercent},
    {39, "mid.salt.x1", "MidSaltX1", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {40, "mid.salt.x2", "MidSaltX2", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {41, "mid.salt.x3", "MidSaltX3", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {42, "mid.pepper", "Pepper", ParamKind::kLevel, 0.0f, Shown::kPercent},
    {43, "mid.pepper.flavour", "Pepper Flavour", ParamKind::kLevel, 0.5f, Shown::kPercent},
    {44, "mid.pepper.on", "PepperOn", ParamKind::kSwitch, 1.0f, Shown::kPercent},
    {45, "mid.pepper.x1", "MidPepperX1", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {46, "mid.pepper.x2", "MidPepperX2", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {47, "mid.pepper.x3", "MidPepperX3", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {48, "mid.sugar", "Sugar", ParamKind::kLevel, 0.0f, Shown::kPercent},
    {49, "mid.sugar.flavour", "Sugar Flavour", ParamKind::kLevel, 0.5f, Shown::kPercent},
    {50, "mid.sugar.on", "SugarOn", ParamKind::kSwitch, 1.0f, Shown::kPercent},
    {51, "mid.sugar.x1", "MidSugarX1", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {52, "mid.sugar.x2", "MidSugarX2", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {53, "mid.sugar.x3", "MidSugarX3", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {54, "mid.chili", "Chili", ParamKind::kLevel, 0.0f, Shown::kPercent},
    {55, "mid.chili.flavour", "Chili Flavour", ParamKind::kLevel, 0.5f, Shown::kPercent},
    {56, "mid.chili.on", "Chili", ParamKind::kSwitch, 1.0f, Shown::kPercent},
    {57, "mid.chili.x1", "MidChiliX1", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {58, "mid.chili.x2", "MidChiliX2", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {59, "mid.chili.x3", "MidChiliX3", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {60, "side.salt", "Salt", ParamKind::kLevel, 0.0f, Shown::kPercent},
    {61, "side.salt.flavour", "Salt Flavour", ParamKind::kLevel, 0.5f, Shown::kPercent},
    {62, "side.salt.on", "Salt On", ParamKind::kSwitch, 1.0f, Shown::kPercent},
    {63, "side.salt.x1", "SideSaltX1", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {64, "side.salt.x2", "SideSaltX2", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {65, "side.salt.x3", "SideSaltX3", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {66, "side.pepper", "Pepper", ParamKind::kLevel, 0.0f, Shown::kPercent},
    {67, "side.pepper.flavour", "Pepper Flavour", ParamKind::kLevel, 0.5f, Shown::kPercent},
    {68, "side.pepper.on", "PepperOn", ParamKind::kSwitch, 1.0f, Shown::kPercent},
    {69, "side.pepper.x1", "SidePepperX1", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {70, "side.pepper.x2", "SidePepperX2", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {71, "side.pepper.x3", "SidePepperX3", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {72, "side.sugar", "Sugar", ParamKind::kLevel, 0.0f, Shown::kPercent},
    {73, "side.sugar.flavour", "Sugar Flavour", ParamKind::kLevel, 0.5f, Shown::kPercent},
    {74, "side.sugar.on", "SugarOn", ParamKind::kSwitch, 1.0f, Shown::kPercent},
    {75, "side.sugar.x1", "SideSugarX1", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {76, "side.sugar.x2", "SideSugarX2", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {77, "side.sugar.x3", "SideSugarX3", ParamKind::kLevel, 1.0f, Shown::kPercent},
    {78, "side.chili", "Chili", ParamKind::kLevel, 0.0f, Shown::kPercent},
    {79, "side.chili.flavour", "Chili Flavour", ParamKind::kLevel, 0.5f, Shown::kPercent},
    {80, "side.chili.on", "Chili", ParamKind::kSwitch, 1.0f, Shown::kPercent},
    {81, "side.chili.x1", "SideChiliX1", ParamKind::kLevel, 1.0f, Shown::kPlain},
    {82, "side.chili.x2", "SideChiliX2", ParamKind::kLevel, 1.0f, Shown::kPlain},
    {83, "side.chili.x3", "SideChiliX3", ParamKind::kLevel, 1.0f, Shown::kPlain},
    {84, "vol.in.wide", "3/18dbIn", ParamKind::kSwitch, 0.0f, Shown::kPlain},
    {85, "vol.out.wide", "3/18dbIn", ParamKind::kSwitch, 0.0f, Shown::kPlain},
    {86, "aa", "AntiAl", ParamKind::kAntiAlias, 0.0f, Shown::kPlain},
};
// clang-format on

constexpr bool sameText(const char* a, const char* b) { return *a == *b && (!*a || sameText(a + 1, b + 1)); }
// Rows in index order, and every parameter addressable by its qualified name.
constexpr bool tableIsSound() {
  for (int i = 0; i < kNumParams; ++i) {
    if (kParamTable[i].index != i) return false;
    for (int j = 0; j < i; ++j)
      if (sameText(kParamTable[i].qualified, kParamTable[j].qualified)) return false;
  }
  return true;
}
static_assert(tableIsSound());

constexpr bool isParameter(int index) { return index >= 0 && index < kNumParams; }
// How a parameter's value is shown; plain for anything that is no parameter.
constexpr Shown shownAs(int index) { return isParameter(index) ? kParamTable[index].shown : Shown::kPlain; }

// Whole-number settings travel as k/128 and come back by truncation. Values
// no int can hold (NaN included) come back as a number nothing acts on.
constexpr float kWholeStep = 1.0f / 128.0f;
constexpr int wholeNumber(float value) {
  const float scaled = 128.0f * value;
  if (scaled > -1.0e9f && scaled < 1.0e9f) return static_cast<int>(scaled);
  return scaled > 0.0f ? 1000000000 : -1000000000;
}

// The on/off readings, one for each kind of flag. A switch (module on, range,
// the mono notice) is on above 0.5; "global on" bypasses the effect below
// 0.5; a compare store holds a snapshot while its flag is 0.5 or more. NaN
// reads as off, not bypassed, and no snapshot.
constexpr bool switchIsOn(float value) { return value > 0.5f; }
constexpr bool bypasses(float globalOn) { return globalOn < 0.5f; }
constexpr bool holdsSnapshot(float storeFlag) { return storeFlag >= 0.5f; }

// The switch that widens a volume from ±3 dB to ±18 dB.
constexpr ParamIndex rangeSwitchOf(int volume) { return volume == kVolOut ? kOutRange : kInRange; }

// One named value of a switch or choice, and the exact value that selects it.
struct Choice {
  const char* name;
  float encoding;
};

inline constexpr Choice kSwitchChoices[] = {{"off", 0.0f}, {"on", 1.0f}};
inline constexpr Choice kPageChoices[] = {{"stereo", 0.0f}, {"ms", 1 * kWholeStep}};
inline constexpr Choice kAntiAliasChoices[] = {{"off", 0.0f}, {"splitfir", 1 * kWholeStep}};

// The split band runs from "splitfir" up.
constexpr bool splitBandOn(float antiAlias) { return antiAlias >= kAntiAliasChoices[1].encoding; }

// The named values of each kind, in ParamKind's order.
inline constexpr std::span<const Choice> kChoicesOfKind[] = {{}, kSwitchChoices, kPageChoices, kAntiAliasChoices};

// The named values of a parameter; empty for levels and non-parameters.
constexpr std::span<const Choice> choicesOf(int index) {
  return isParameter(index) ? kChoicesOfKind[static_cast<int>(kParamTable[index].kind)] : std::span<const Choice>{};
}

// Display frequency of the "spare" at index 4: 25 Hz at 0, 250 Hz at 1.
constexpr float kLowestFrequency = 25.0f, kFrequencySpan = 225.0f;
constexpr float kHighestFrequency = kLowestFrequency + kFrequencySpan;
inline float filterFrequency(float v) { return v * kFrequencySpan + kLowestFrequency; }
inline double frequencyPosition(double hz) { return (hz - double{kLowestFrequency}) / double{kFrequencySpan}; }

}  // namespace sorel
