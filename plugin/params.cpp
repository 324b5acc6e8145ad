#include "params.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "volume.h"

namespace sorel {

// Indices 12..83 are three module sets of 24: Stereo, Mid, Side. In each, six
// per module (Salt, Pepper, Sugar, Chili): amount, flavour, switch, X1..X3.
// Chili's switch carries the same name as its amount.
const ParamDesc kParamTable[kNumParams] = {
    {"global on", 0, 127, 1, 1.0f, -1},       // 0
    {"page", 0, 127, 1, 0.0f, -1},            // 1
    {"vol in", 0, 127, 1, 0.5f, -1},          // 2
    {"vol out", 0, 127, 1, 0.5f, -1},         // 3
    {"spare", 0, 127, 1, 0.33333334f, -1},    // 4
    {"spare", 0, 127, 1, 0.0f, -1},           // 5
    {"spare", 0, 127, 1, 0.0f, -1},           // 6
    {"spare", 0, 127, 1, 0.0f, -1},           // 7
    {"spare", 0, 127, 1, 0.0f, -1},           // 8
    {"CompValidA", 0, 127, 1, 0.0f, -1},      // 9
    {"CompValidB", 0, 127, 1, 0.0f, -1},      // 10
    {"CompValidC", 0, 127, 1, 0.0f, -1},      // 11
    {"Salt", 0, 127, 1, 0.0f, -1},            // 12
    {"Salt Flavour", 0, 127, 1, 0.5f, -1},    // 13
    {"Salt On", 0, 127, 1, 1.0f, -1},         // 14
    {"StereoSaltX1", 0, 127, 1, 1.0f, -1},    // 15
    {"StereoSaltX2", 0, 127, 1, 1.0f, -1},    // 16
    {"StereoSaltX3", 0, 127, 1, 1.0f, -1},    // 17
    {"Pepper", 0, 127, 1, 0.0f, -1},          // 18
    {"Pepper Flavour", 0, 127, 1, 0.5f, -1},  // 19
    {"PepperOn", 0, 127, 1, 1.0f, -1},        // 20
    {"StereoPepperX1", 0, 127, 1, 1.0f, -1},  // 21
    {"StereoPepperX2", 0, 127, 1, 1.0f, -1},  // 22
    {"StereoPepperX3", 0, 127, 1, 1.0f, -1},  // 23
    {"Sugar", 0, 127, 1, 0.0f, -1},           // 24
    {"Sugar Flavour", 0, 127, 1, 0.5f, -1},   // 25
    {"SugarOn", 0, 127, 1, 1.0f, -1},         // 26
    {"StereoSugarX1", 0, 127, 1, 1.0f, -1},   // 27
    {"StereoSugarX2", 0, 127, 1, 1.0f, -1},   // 28
    {"StereoSugarX3", 0, 127, 1, 1.0f, -1},   // 29
    {"Chili", 0, 127, 1, 0.0f, -1},           // 30
    {"Chili Flavour", 0, 127, 1, 0.5f, -1},   // 31
    {"Chili", 0, 127, 1, 1.0f, -1},           // 32
    {"StereoChiliX1", 0, 127, 1, 1.0f, -1},   // 33
    {"StereoChiliX2", 0, 127, 1, 1.0f, -1},   // 34
    {"StereoChiliX3", 0, 127, 1, 1.0f, -1},   // 35
    {"Salt", 0, 127, 1, 0.0f, -1},            // 36
    {"Salt Flavour", 0, 127, 1, 0.5f, -1},    // 37
    {"Salt On", 0, 127, 1, 1.0f, -1},         // 38
    {"MidSaltX1", 0, 127, 1, 1.0f, -1},       // 39
    {"MidSaltX2", 0, 127, 1, 1.0f, -1},       // 40
    {"MidSaltX3", 0, 127, 1, 1.0f, -1},       // 41
    {"Pepper", 0, 127, 1, 0.0f, -1},          // 42
    {"Pepper Flavour", 0, 127, 1, 0.5f, -1},  // 43
    {"PepperOn", 0, 127, 1, 1.0f, -1},        // 44
    {"MidPepperX1", 0, 127, 1, 1.0f, -1},     // 45
    {"MidPepperX2", 0, 127, 1, 1.0f, -1},     // 46
    {"MidPepperX3", 0, 127, 1, 1.0f, -1},     // 47
    {"Sugar", 0, 127, 1, 0.0f, -1},           // 48
    {"Sugar Flavour", 0, 127, 1, 0.5f, -1},   // 49
    {"SugarOn", 0, 127, 1, 1.0f, -1},         // 50
    {"MidSugarX1", 0, 127, 1, 1.0f, -1},      // 51
    {"MidSugarX2", 0, 127, 1, 1.0f, -1},      // 52
    {"MidSugarX3", 0, 127, 1, 1.0f, -1},      // 53
    {"Chili", 0, 127, 1, 0.0f, -1},           // 54
    {"Chili Flavour", 0, 127, 1, 0.5f, -1},   // 55
    {"Chili", 0, 127, 1, 1.0f, -1},           // 56
    {"MidChiliX1", 0, 127, 1, 1.0f, -1},      // 57
    {"MidChiliX2", 0, 127, 1, 1.0f, -1},      // 58
    {"MidChiliX3", 0, 127, 1, 1.0f, -1},      // 59
    {"Salt", 0, 127, 1, 0.0f, -1},            // 60
    {"Salt Flavour", 0, 127, 1, 0.5f, -1},    // 61
    {"Salt On", 0, 127, 1, 1.0f, -1},         // 62
    {"SideSaltX1", 0, 127, 1, 1.0f, -1},      // 63
    {"SideSaltX2", 0, 127, 1, 1.0f, -1},      // 64
    {"SideSaltX3", 0, 127, 1, 1.0f, -1},      // 65
    {"Pepper", 0, 127, 1, 0.0f, -1},          // 66
    {"Pepper Flavour", 0, 127, 1, 0.5f, -1},  // 67
    {"PepperOn", 0, 127, 1, 1.0f, -1},        // 68
    {"SidePepperX1", 0, 127, 1, 1.0f, -1},    // 69
    {"SidePepperX2", 0, 127, 1, 1.0f, -1},    // 70
    {"SidePepperX3", 0, 127, 1, 1.0f, -1},    // 71
    {"Sugar", 0, 127, 1, 0.0f, -1},           // 72
    {"Sugar Flavour", 0, 127, 1, 0.5f, -1},   // 73
    {"SugarOn", 0, 127, 1, 1.0f, -1},         // 74
    {"SideSugarX1", 0, 127, 1, 1.0f, -1},     // 75
    {"SideSugarX2", 0, 127, 1, 1.0f, -1},     // 76
    {"SideSugarX3", 0, 127, 1, 1.0f, -1},     // 77
    {"Chili", 0, 127, 1, 0.0f, -1},           // 78
    {"Chili Flavour", 0, 127, 1, 0.5f, -1},   // 79
    {"Chili", 0, 127, 1, 1.0f, -1},           // 80
    {"SideChiliX1", 0, 127, 1, 1.0f, -1},     // 81
    {"SideChiliX2", 0, 127, 1, 1.0f, -1},     // 82
    {"SideChiliX3", 0, 127, 1, 1.0f, -1},     // 83
    {"3/18dbIn", 0, 127, 1, 0.0f, -1},        // 84
    {"3/18dbIn", 0, 127, 1, 0.0f, -1},        // 85
    {"AntiAl", 0, 127, 1, 0.0f, -1},          // 86
};

namespace {

void formatDecibels(float gain, char* text) {
  const auto logGain = static_cast<float>(std::log10(static_cast<double>(gain)));
  std::snprintf(text, kDisplayTextSize, "%.2fdB", static_cast<double>(20.0f * logGain));
}

}  // namespace

void formatParameterDisplay(int index, float v, bool inWide, bool outWide, char* text) {
  text[0] = 0;
  if (!isParameter(index)) return;
  if (index == kVolIn || index == kVolOut) {
    formatDecibels(volumeGain(v, index == kVolIn ? inWide : outWide), text);
  } else if (index == kFilterFreq) {
    std::snprintf(text, kDisplayTextSize, "%.1fHz", static_cast<double>(filterFrequency(v)));
  } else if (index >= kStereoBase && index <= 80) {
    // Side Chili X1..X3 (81..83) keep the plain form below.
    std::snprintf(text, kDisplayTextSize, "%.2f%%", static_cast<double>(v * 100.0f));
  } else {
    std::snprintf(text, kDisplayTextSize, "%f", static_cast<double>(v));
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
