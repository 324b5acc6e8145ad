#include "layout.h"

namespace sorel {

const PageDesc kPages[kNumPages] = {
    {0, 0, -1, -1, 0, kImgBack},    // Stereo page
    {0, 0, -1, -1, 0, kImgBack},    // M/S page
    {0, 0, -1, -1, 0, kImgBackMS},  // holds pop-up menus only
};

// clang-format off
const ControlDesc kLayout[kNumTags] = {
//   text, type, image, parameter, container, x, y, n, w, h, a, b
    {"", kTypeNone, -1, kNoParam, -1, 0, 0, 0, 0, 0, 0, 0},  // 0
    {"", kTypeNone, -1, kNoParam, -1, 0, 0, 0, 0, 0, 0, 0},  // 1
    {"", kTypeNone, -1, kNoParam, -1, 0, 0, 0, 0, 0, 0, 0},  // 2
    {"", kTypeNone, -1, kNoParam, -1, 0, 0, 0, 0, 0, 0, 0},  // 3
    {"", kTypeNone, -1, kNoParam, -1, 0, 0, 0, 0, 0, 0, 0},  // 4
    {"", kTypeNone, -1, kNoParam, -1, 0, 0, 0, 0, 0, 0, 0},  // 5
    {"", kTypeNone, -1, kNoParam, -1, 0, 0, 0, 0, 0, 0, 0},  // 6
    {"", kTypeNone, -1, kNoParam, -1, 0, 0, 0, 0, 0, 0, 0},  // 7
    {"", kTypePane, kImgFrameOverlay, kNoParam, 0, 0, 0, 1, -1, -1, -1, -1},  // 8 CPane
    {"", kTypePane, kImgFrameOverlay, kNoParam, 1, 0, 0, 1, -1, -1, -1, -1},  // 9 CPane
    {"", kTypePane, kImgPanel, kNoParam, 0, 20, 84, 1, -1, -1, -1, -1},  // 10 CPane
    {"", kTypePane, kImgPanel, kNoParam, 0, 216, 84, 1, -1, -1, -1, -1},  // 11 CPane
    {"", kTypePane, kImgPanel, kNoParam, 0, 412, 84, 1, -1, -1, -1, -1},  // 12 CPane
    {"", kTypePane, kImgPanel, kNoParam, 0, 608, 84, 1, -1, -1, -1, -1},  // 13 CPane
    {"", kTypePane, kImgPanel, kNoParam, 1, 20, 84, 1, -1, -1, -1, -1},  // 14 CPane
    {"", kTypePane, kImgPanel, kNoParam, 1, 216, 84, 1, -1, -1, -1, -1},  // 15 CPane
    {"", kTypePane, kImgPanel, kNoParam, 1, 412, 84, 1, -1, -1, -1, -1},  // 16 CPane
    {"", kTypePane, kImgPanel, kNoParam, 1, 608, 84, 1, -1, -1, -1, -1},  // 17 CPane
    {"", kTypePane, kImgBack, kNoParam, 0, 33, 28, 1, 175, 4, 1, -1},  // 18 CPane
    {"", kTypePane, kImgBack, kNoParam, 0, 246, 28, 1, 88, 4, 1, -1},  // 19 CPane
    {"", kTypePane, kImgBack, kNoParam, 0, 547, 28, 1, 137, 4, 1, -1},  // 20 CPane
    {"", kTypePane, kImgBack, kNoParam, 0, 48, 84, 1, 61, 4, 1, -1},  // 21 CPane
    {"", kTypePane, kImgBack, kNoParam, 0, 243, 84, 1, 105, 4, 1, -1},  // 22 CPane
    {"", kTypePane, kImgBack, kNoParam, 0, 440, 84, 1, 92, 4, 1, -1},  // 23 CPane
    {"", kTypePane, kImgBack, kNoParam, 0, 636, 84, 1, 68, 4, 1, -1},  // 24 CPane
    {"", kTypePane, kImgBack, kNoParam, 1, 33, 28, 1, 175, 4, 1, -1},  // 25 CPane
    {"", kTypePane, kImgBack, kNoParam, 1, 246, 28, 1, 88, 4, 1, -1},  // 26 CPane
    {"", kTypePane, kImgBack, kNoParam, 1, 547, 28, 1, 137, 4, 1, -1},  // 27 CPane
    {"", kTypePane, kImgBack, kNoParam, 1, 48, 84, 1, 61, 4, 1, -1},  // 28 CPane
    {"", kTypePane, kImgBack, kNoParam, 1, 243, 84, 1, 105, 4, 1, -1},  // 29 CPane
    {"", kTypePane, kImgBack, kNoParam, 1, 440, 84, 1, 92, 4, 1, -1},  // 30 CPane
    {"", kTypePane, kImgBack, kNoParam, 1, 636, 84, 1, 68, 4, 1, -1},  // 31 CPane
    {"", kTypePane, kImgMakerLogo, kNoParam, 0, 549, 4, 1, -1, -1, -1, -1},  // 32 CPane
    {"", kTypePane, kImgSeal, kNoParam, 0, 695, 0, 1, -1, -1, -1, -1},  // 33 CPane
    {"", kTypePane, kImgMakerLogo, kNoParam, 1, 549, 4, 1, -1, -1, -1, -1},  // 34 CPane
    {"", kTypePane, kImgSeal, kNoParam, 1, 695, 0, 1, -1, -1, -1, -1},  // 35 CPane
    {"", kTypePane, kImgSalt, kNoParam, 0, 52, 69, 1, -1, -1, -1, -1},  // 36 CPane
    {"", kTypePane, kImgPepper, kNoParam, 0, 248, 69, 1, -1, -1, -1, -1},  // 37 CPane
    {"", kTypePane, kImgSugar, kNoParam, 0, 444, 69, 1, -1, -1, -1, -1},  // 38 CPane
    {"", kTypePane, kImgChili, kNoParam, 0, 640, 69, 1, -1, -1, -1, -1},  // 39 CPane
    {"", kTypePane, kImgSalt, kNoParam, 1, 52, 69, 1, -1, -1, -1, -1},  // 40 CPane
    {"", kTypePane, kImgPepper, kNoParam, 1, 248, 69, 1, -1, -1, -1, -1},  // 41 CPane
    {"", kTypePane, kImgSugar, kNoParam, 1, 444, 69, 1, -1, -1, -1, -1},  // 42 CPane
    {"", kTypePane, kImgChili, kNoParam, 1, 640, 69, 1, -1, -1, -1, -1},  // 43 CPane
    {"compare", kTypeTextField, -1, kNoParam, 0, 811, 75, 0, 62, 14, -1, -1},  // 44 CKstTextEd
    {"compare", kTypeTextField, -1, kNoParam, 1, 811, 75, 0, 62, 14, -1, -1},  // 45 CKstTextEd
    {"Compare", kTypeButtonGroup, kImgAbc, kNoParam, 0, 811, 92, 3, -1, -1, 0, 10001},  // 46 CCButtonMO group
    {"State->A", kTypeButton, kImgArrow, kNoParam, 0, 813, 112, 3, -1, -1, -1, -1},  // 47 CCButtonMO
    {"State->B", kTypeButton, kImgArrow, kNoParam, 0, 835, 112, 3, -1, -1, -1, -1},  // 48 CCButtonMO
    {"State->C", kTypeButton, kImgArrow, kNoParam, 0, 857, 112, 3, -1, -1, -1, -1},  // 49 CCButtonMO
    {"Compare", kTypeButtonGroup, kImgAbc, kNoParam, 1, 811, 92, 3, -1, -1, 0, 10001},  // 50 CCButtonMO group
    {"State->A", kTypeButton, kImgArrow, kNoParam, 1, 813, 112, 3, -1, -1, -1, -1},  // 51 CCButtonMO
    {"State->B", kTypeButton, kImgArrow, kNoParam, 1, 835, 112, 3, -1, -1, -1, -1},  // 52 CCButtonMO
    {"State->C", kTypeButton, kImgArrow, kNoParam, 1, 857, 112, 3, -1, -1, -1, -1},  // 53 CCButtonMO
    {"", kTypeLamp, kImgName, kGlobalOn, 1, 40, 12, 2, -1, -1, -1, -1},  // 54 CLed lamp
    {"", kTypeLamp, kImgName, kGlobalOn, 0, 40, 12, 2, -1, -1, -1, -1},  // 55 CLed lamp
    {"", kTypeClickArea, -1, kNoParam, 1, 40, 12, 2, 151, 33, -1, -1},  // 56 CLed area
    {"", kTypeClickArea, -1, kNoParam, 0, 40, 12, 2, 151, 33, -1, -1},  // 57 CLed area
    {"", kTypeHintLine, -1, kNoParam, 0, 400, 42, 3, 150, 20, -1, -1},  // 58 CTextEdAI
    {"", kTypeHintLine, -1, kNoParam, 1, 400, 42, 3, 150, 20, -1, -1},  // 59 CTextEdAI
    {"", kTypePane, kImgMono, kNoParam, 0, 250, 10, 1, -1, -1, -1, -1},  // 60 CPane
    {"to M/S process", kTypeButton, kImgSwStereo, kNoParam, 0, 250, 10, 3, -1, -1, -1, -1},  // 61 CCButtonMO
    {"to Stereo process", kTypeButton, kImgSwMid, kNoParam, 1, 250, 10, 3, -1, -1, -1, -1},  // 62 CCButtonMO
    {"transfer params", kTypeButton, kImgSel, kNoParam, 0, 334, 34, 3, -1, -1, -1, -1},  // 63 CCButtonMO
    {"transfer params", kTypeButton, kImgSel, kNoParam, 1, 334, 34, 3, -1, -1, -1, -1},  // 64 CCButtonMO
    {"", kTypeDropdown, -1, kNoParam, 0, 334, 52, 0, 184, 0, 0, 1},  // 65 CDropdownLstAI
    {"", kTypeDropdown, -1, kNoParam, 1, 334, 52, 0, 184, 0, 0, 1},  // 66 CDropdownLstAI
    {"", kTypeDropdown, -1, kNoParam, 2, 334, 52, 0, 184, 0, 0, 1},  // 67 CDropdownLstAI
    {"", kTypeDropdown, -1, kAntiAlias, 0, 740, 39, 0, 80, 20, 1, 0},  // 68 CDropdownLstAI
    {"", kTypeDropdown, -1, kAntiAlias, 1, 740, 39, 0, 80, 20, 1, 0},  // 69 CDropdownLstAI
    {"Sorel On/Off", kTypeLed, kImgSwitch, kGlobalOn, 0, 842, 38, 2, -1, -1, -1, 10002},  // 70 CLed
    {"Sorel On/Off", kTypeLed, kImgSwitch, kGlobalOn, 1, 842, 38, 2, -1, -1, -1, 10002},  // 71 CLed
    {"Intensity", kTypeKnob, kImgKnob, moduleParam(kStereoBase, kSalt, kAmount), 0, 33, 110, 129, -1, -1, -1, 10004},  // 72 CAnimKnobKst
    {"Flavour", kTypeKnob, kImgKnob, moduleParam(kStereoBase, kSalt, kFlavour), 0, 114, 206, 129, -1, -1, -1, 10004},  // 73 CAnimKnobKst
    {"On/Off", kTypeLed, kImgSwitch, moduleParam(kStereoBase, kSalt, kModuleOn), 0, 174, 92, 2, -1, -1, -1, 10004},  // 74 CLed
    {"Intensity", kTypeKnob, kImgKnob, moduleParam(kStereoBase, kPepper, kAmount), 0, 229, 110, 129, -1, -1, -1, 10004},  // 75 CAnimKnobKst
    {"Flavour", kTypeKnob, kImgKnob, moduleParam(kStereoBase, kPepper, kFlavour), 0, 310, 206, 129, -1, -1, -1, 10004},  // 76 CAnimKnobKst
    {"On/Off", kTypeLed, kImgSwitch, moduleParam(kStereoBase, kPepper, kModuleOn), 0, 370, 92, 2, -1, -1, -1, 10004},  // 77 CLed
    {"Intensity", kTypeKnob, kImgKnob, moduleParam(kStereoBase, kSugar, kAmount), 0, 425, 110, 129, -1, -1, -1, 10004},  // 78 CAnimKnobKst
    {"Flavour", kTypeKnob, kImgKnob, moduleParam(kStereoBase, kSugar, kFlavour), 0, 506, 206, 129, -1, -1, -1, 10004},  // 79 CAnimKnobKst
    {"On/Off", kTypeLed, kImgSwitch, moduleParam(kStereoBase, kSugar, kModuleOn), 0, 566, 92, 2, -1, -1, -1, 10004},  // 80 CLed
    {"Intensity", kTypeKnob, kImgKnob, moduleParam(kStereoBase, kChili, kAmount), 0, 621, 110, 129, -1, -1, -1, 10004},  // 81 CAnimKnobKst
    {"Flavour", kTypeKnob, kImgKnob, moduleParam(kStereoBase, kChili, kFlavour), 0, 702, 206, 129, -1, -1, -1, 10004},  // 82 CAnimKnobKst
    {"On/Off", kTypeLed, kImgSwitch, moduleParam(kStereoBase, kChili, kModuleOn), 0, 762, 92, 2, -1, -1, -1, 10004},  // 83 CLed
    {"Intensity Mid", kTypeKnob, kImgKnobS, moduleParam(kMidBase, kSalt, kAmount), 1, 32, 110, 129, -1, -1, -1, 10005},  // 84 CAnimKnobKst
    {"Flavour Mid", kTypeKnob, kImgKnobS, moduleParam(kMidBase, kSalt, kFlavour), 1, 112, 136, 129, -1, -1, -1, 10005},  // 85 CAnimKnobKst
    {"On/Off", kTypeLed, kImgSwitch, moduleParam(kMidBase, kSalt, kModuleOn), 1, 174, 92, 2, -1, -1, -1, 10005},  // 86 CLed
    {"Intensity Mid", kTypeKnob, kImgKnobS, moduleParam(kMidBase, kPepper, kAmount), 1, 228, 110, 129, -1, -1, -1, 10005},  // 87 CAnimKnobKst
    {"Flavour Mid", kTypeKnob, kImgKnobS, moduleParam(kMidBase, kPepper, kFlavour), 1, 308, 136, 129, -1, -1, -1, 10005},  // 88 CAnimKnobKst
    {"On/Off", kTypeLed, kImgSwitch, moduleParam(kMidBase, kPepper, kModuleOn), 1, 370, 92, 2, -1, -1, -1, 10005},  // 89 CLed
    {"Intensity Mid", kTypeKnob, kImgKnobS, moduleParam(kMidBase, kSugar, kAmount), 1, 424, 110, 129, -1, -1, -1, 10005},  // 90 CAnimKnobKst
    {"Flavour Mid", kTypeKnob, kImgKnobS, moduleParam(kMidBase, kSugar, kFlavour), 1, 504, 136, 129, -1, -1, -1, 10005},  // 91 CAnimKnobKst
    {"On/Off", kTypeLed, kImgSwitch, moduleParam(kMidBase, kSugar, kModuleOn), 1, 566, 92, 2, -1, -1, -1, 10005},  // 92 CLed
    {"Intensity Mid", kTypeKnob, kImgKnobS, moduleParam(kMidBase, kChili, kAmount), 1, 620, 110, 129, -1, -1, -1, 10005},  // 93 CAnimKnobKst
    {"Flavour Mid", kTypeKnob, kImgKnobS, moduleParam(kMidBase, kChili, kFlavour), 1, 700, 136, 129, -1, -1, -1, 10005},  // 94 CAnimKnobKst
    {"On/Off", kTypeLed, kImgSwitch, moduleParam(kMidBase, kChili, kModuleOn), 1, 762, 92, 2, -1, -1, -1, 10005},  // 95 CLed
    {"Intensity Side", kTypeKnob, kImgKnobS, moduleParam(kSideBase, kSalt, kAmount), 1, 32, 214, 129, -1, -1, -1, 10005},  // 96 CAnimKnobKst
    {"Flavour Side", kTypeKnob, kImgKnobS, moduleParam(kSideBase, kSalt, kFlavour), 1, 112, 240, 129, -1, -1, -1, 10005},  // 97 CAnimKnobKst
    {"On/Off", kTypeLed, kImgSwitch, moduleParam(kSideBase, kSalt, kModuleOn), 1, 174, 198, 2, -1, -1, -1, 10005},  // 98 CLed
    {"Intensity Side", kTypeKnob, kImgKnobS, moduleParam(kSideBase, kPepper, kAmount), 1, 228, 214, 129, -1, -1, -1, 10005},  // 99 CAnimKnobKst
    {"Flavour Side", kTypeKnob, kImgKnobS, moduleParam(kSideBase, kPepper, kFlavour), 1, 308, 240, 129, -1, -1, -1, 10005},  // 100 CAnimKnobKst
    {"On/Off", kTypeLed, kImgSwitch, moduleParam(kSideBase, kPepper, kModuleOn), 1, 370, 198, 2, -1, -1, -1, 10005},  // 101 CLed
    {"Intensity Side", kTypeKnob, kImgKnobS, moduleParam(kSideBase, kSugar, kAmount), 1, 424, 214, 129, -1, -1, -1, 10005},  // 102 CAnimKnobKst
    {"Flavour Side", kTypeKnob, kImgKnobS, moduleParam(kSideBase, kSugar, kFlavour), 1, 504, 240, 129, -1, -1, -1, 10005},  // 103 CAnimKnobKst
    {"On/Off", kTypeLed, kImgSwitch, moduleParam(kSideBase, kSugar, kModuleOn), 1, 566, 198, 2, -1, -1, -1, 10005},  // 104 CLed
    {"Intensity Side", kTypeKnob, kImgKnobS, moduleParam(kSideBase, kChili, kAmount), 1, 620, 214, 129, -1, -1, -1, 10005},  // 105 CAnimKnobKst
    {"Flavour Side", kTypeKnob, kImgKnobS, moduleParam(kSideBase, kChili, kFlavour), 1, 700, 240, 129, -1, -1, -1, 10005},  // 106 CAnimKnobKst
    {"On/Off", kTypeLed, kImgSwitch, moduleParam(kSideBase, kChili, kModuleOn), 1, 762, 198, 2, -1, -1, -1, 10005},  // 107 CLed
    {"IN", kTypeKnob, kImgKnobXS, kVolIn, 0, 821, 161, 129, -1, -1, -1, 10005},  // 108 CAnimKnobKst
    {"IN", kTypeKnob, kImgKnobXS, kVolIn, 1, 821, 161, 129, -1, -1, -1, 10005},  // 109 CAnimKnobKst
    {"OUT", kTypeKnob, kImgKnobXS, kVolOut, 0, 821, 246, 129, -1, -1, -1, 10005},  // 110 CAnimKnobKst
    {"OUT", kTypeKnob, kImgKnobXS, kVolOut, 1, 821, 246, 129, -1, -1, -1, 10005},  // 111 CAnimKnobKst
    {"Input Clip", kTypeLamp, kImgClip, kNoParam, 0, 820, 160, 2, -1, -1, -1, -1},  // 112 CLed lamp
    {"Input Clip", kTypeLamp, kImgClip, kNoParam, 1, 820, 160, 2, -1, -1, -1, -1},  // 113 CLed lamp
    {"+/- 3/18 dB", kTypeLed, kImg3To18, kInRange, 0, 857, 197, 2, -1, -1, -1, 10003},  // 114 CLed
    {"+/- 3/18 dB", kTypeLed, kImg3To18, kOutRange, 0, 857, 282, 2, -1, -1, -1, 10003},  // 115 CLed
    {"+/- 3/18 dB", kTypeLed, kImg3To18, kInRange, 1, 857, 197, 2, -1, -1, -1, 10003},  // 116 CLed
    {"+/- 3/18 dB", kTypeLed, kImg3To18, kOutRange, 1, 857, 282, 2, -1, -1, -1, 10003},  // 117 CLed
    {"in", kTypeTextField, -1, kNoParam, 0, 810, 176, 0, 62, 14, -1, -1},  // 118 CKstTextEd
    {"in", kTypeTextField, -1, kNoParam, 1, 810, 176, 0, 62, 14, -1, -1},  // 119 CKstTextEd
    {"out", kTypeTextField, -1, kNoParam, 0, 810, 261, 0, 62, 14, -1, -1},  // 120 CKstTextEd
    {"out", kTypeTextField, -1, kNoParam, 1, 810, 261, 0, 62, 14, -1, -1},  // 121 CKstTextEd
};
// clang-format on

const CommandDesc kCommands[kNumCommands] = {
    {46, Command::kSelectStore, 0},  {50, Command::kSelectStore, 0},  {47, Command::kCaptureStore, 0},
    {48, Command::kCaptureStore, 1}, {49, Command::kCaptureStore, 2}, {51, Command::kCaptureStore, 0},
    {52, Command::kCaptureStore, 1}, {53, Command::kCaptureStore, 2}, {61, Command::kShowPage, 1},
    {62, Command::kShowPage, 0},     {63, Command::kOpenMenu, 65},    {64, Command::kOpenMenu, 66},
    {65, Command::kTransfer, 0},     {66, Command::kTransfer, 0},     {67, Command::kTransfer, 0},
    {56, Command::kShowAbout, 0},    {57, Command::kShowAbout, 0},
};

const CommandDesc* commandOf(int tag) {
  for (const CommandDesc& row : kCommands) {
    if (row.tag == tag) return &row;
  }
  return nullptr;
}

const GroupDesc kGroups[1] = {{3, 0, 5, 0, 22, 0}};

const ListStyle kListStyles[2] = {{0, 0}, {0, 0}};

const char* const kListStrings[6] = {
    "AA off",
    "AA SplitFir",
    "STEREO params -> MID & SIDE",
    "STEREO params -> MID",
    "MID params -> STEREO",
    "MID params -> SIDE",
};

const ListDesc kLists[2] = {{0, 2, -1}, {2, kNumConversions, -1}};

}  // namespace sorel
