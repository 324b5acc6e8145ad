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
    {"", 0, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0},  // 0
    {"", 0, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0},  // 1
    {"", 0, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0},  // 2
    {"", 0, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0},  // 3
    {"", 0, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0},  // 4
    {"", 0, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0},  // 5
    {"", 0, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0},  // 6
    {"", 0, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0},  // 7
    {"", 19, kImgFrameOverlay, -1, 0, 0, 0, 1, -1, -1, -1, -1},  // 8 CPane
    {"", 19, kImgFrameOverlay, -1, 1, 0, 0, 1, -1, -1, -1, -1},  // 9 CPane
    {"", 19, kImgPanel, -1, 0, 20, 84, 1, -1, -1, -1, -1},  // 10 CPane
    {"", 19, kImgPanel, -1, 0, 216, 84, 1, -1, -1, -1, -1},  // 11 CPane
    {"", 19, kImgPanel, -1, 0, 412, 84, 1, -1, -1, -1, -1},  // 12 CPane
    {"", 19, kImgPanel, -1, 0, 608, 84, 1, -1, -1, -1, -1},  // 13 CPane
    {"", 19, kImgPanel, -1, 1, 20, 84, 1, -1, -1, -1, -1},  // 14 CPane
    {"", 19, kImgPanel, -1, 1, 216, 84, 1, -1, -1, -1, -1},  // 15 CPane
    {"", 19, kImgPanel, -1, 1, 412, 84, 1, -1, -1, -1, -1},  // 16 CPane
    {"", 19, kImgPanel, -1, 1, 608, 84, 1, -1, -1, -1, -1},  // 17 CPane
    {"", 19, kImgBack, -1, 0, 33, 28, 1, 175, 4, 1, -1},  // 18 CPane
    {"", 19, kImgBack, -1, 0, 246, 28, 1, 88, 4, 1, -1},  // 19 CPane
    {"", 19, kImgBack, -1, 0, 547, 28, 1, 137, 4, 1, -1},  // 20 CPane
    {"", 19, kImgBack, -1, 0, 48, 84, 1, 61, 4, 1, -1},  // 21 CPane
    {"", 19, kImgBack, -1, 0, 243, 84, 1, 105, 4, 1, -1},  // 22 CPane
    {"", 19, kImgBack, -1, 0, 440, 84, 1, 92, 4, 1, -1},  // 23 CPane
    {"", 19, kImgBack, -1, 0, 636, 84, 1, 68, 4, 1, -1},  // 24 CPane
    {"", 19, kImgBack, -1, 1, 33, 28, 1, 175, 4, 1, -1},  // 25 CPane
    {"", 19, kImgBack, -1, 1, 246, 28, 1, 88, 4, 1, -1},  // 26 CPane
    {"", 19, kImgBack, -1, 1, 547, 28, 1, 137, 4, 1, -1},  // 27 CPane
    {"", 19, kImgBack, -1, 1, 48, 84, 1, 61, 4, 1, -1},  // 28 CPane
    {"", 19, kImgBack, -1, 1, 243, 84, 1, 105, 4, 1, -1},  // 29 CPane
    {"", 19, kImgBack, -1, 1, 440, 84, 1, 92, 4, 1, -1},  // 30 CPane
    {"", 19, kImgBack, -1, 1, 636, 84, 1, 68, 4, 1, -1},  // 31 CPane
    {"", 19, kImgMakerLogo, -1, 0, 549, 4, 1, -1, -1, -1, -1},  // 32 CPane
    {"", 19, kImgSeal, -1, 0, 695, 0, 1, -1, -1, -1, -1},  // 33 CPane
    {"", 19, kImgMakerLogo, -1, 1, 549, 4, 1, -1, -1, -1, -1},  // 34 CPane
    {"", 19, kImgSeal, -1, 1, 695, 0, 1, -1, -1, -1, -1},  // 35 CPane
    {"", 19, kImgSalt, -1, 0, 52, 69, 1, -1, -1, -1, -1},  // 36 CPane
    {"", 19, kImgPepper, -1, 0, 248, 69, 1, -1, -1, -1, -1},  // 37 CPane
    {"", 19, kImgSugar, -1, 0, 444, 69, 1, -1, -1, -1, -1},  // 38 CPane
    {"", 19, kImgChili, -1, 0, 640, 69, 1, -1, -1, -1, -1},  // 39 CPane
    {"", 19, kImgSalt, -1, 1, 52, 69, 1, -1, -1, -1, -1},  // 40 CPane
    {"", 19, kImgPepper, -1, 1, 248, 69, 1, -1, -1, -1, -1},  // 41 CPane
    {"", 19, kImgSugar, -1, 1, 444, 69, 1, -1, -1, -1, -1},  // 42 CPane
    {"", 19, kImgChili, -1, 1, 640, 69, 1, -1, -1, -1, -1},  // 43 CPane
    {"compare", 27, -1, -1, 0, 811, 75, 0, 62, 14, -1, -1},  // 44 CKstTextEd
    {"compare", 27, -1, -1, 1, 811, 75, 0, 62, 14, -1, -1},  // 45 CKstTextEd
    {"Compare", 9, kImgAbc, -1, 0, 811, 92, 3, -1, -1, 0, 10001},  // 46 CCButtonMO group
    {"State->A", 2, kImgArrow, -1, 0, 813, 112, 3, -1, -1, -1, -1},  // 47 CCButtonMO
    {"State->B", 2, kImgArrow, -1, 0, 835, 112, 3, -1, -1, -1, -1},  // 48 CCButtonMO
    {"State->C", 2, kImgArrow, -1, 0, 857, 112, 3, -1, -1, -1, -1},  // 49 CCButtonMO
    {"Compare", 9, kImgAbc, -1, 1, 811, 92, 3, -1, -1, 0, 10001},  // 50 CCButtonMO group
    {"State->A", 2, kImgArrow, -1, 1, 813, 112, 3, -1, -1, -1, -1},  // 51 CCButtonMO
    {"State->B", 2, kImgArrow, -1, 1, 835, 112, 3, -1, -1, -1, -1},  // 52 CCButtonMO
    {"State->C", 2, kImgArrow, -1, 1, 857, 112, 3, -1, -1, -1, -1},  // 53 CCButtonMO
    {"", 4, kImgName, 0, 1, 40, 12, 2, -1, -1, -1, -1},  // 54 CLed lamp
    {"", 4, kImgName, 0, 0, 40, 12, 2, -1, -1, -1, -1},  // 55 CLed lamp
    {"", 5, -1, -1, 1, 40, 12, 2, 151, 33, -1, -1},  // 56 CLed area
    {"", 5, -1, -1, 0, 40, 12, 2, 151, 33, -1, -1},  // 57 CLed area
    {"", 33, -1, -1, 0, 400, 42, 3, 150, 20, -1, -1},  // 58 CTextEdAI
    {"", 33, -1, -1, 1, 400, 42, 3, 150, 20, -1, -1},  // 59 CTextEdAI
    {"", 19, kImgMono, -1, 0, 250, 10, 1, -1, -1, -1, -1},  // 60 CPane
    {"to M/S process", 2, kImgSwStereo, -1, 0, 250, 10, 3, -1, -1, -1, -1},  // 61 CCButtonMO
    {"to Stereo process", 2, kImgSwMid, -1, 1, 250, 10, 3, -1, -1, -1, -1},  // 62 CCButtonMO
    {"transfer params", 2, kImgSel, -1, 0, 334, 34, 3, -1, -1, -1, -1},  // 63 CCButtonMO
    {"transfer params", 2, kImgSel, -1, 1, 334, 34, 3, -1, -1, -1, -1},  // 64 CCButtonMO
    {"", 35, -1, -1, 0, 334, 52, 0, 184, 0, 0, 1},  // 65 CDropdownLstAI
    {"", 35, -1, -1, 1, 334, 52, 0, 184, 0, 0, 1},  // 66 CDropdownLstAI
    {"", 35, -1, -1, 2, 334, 52, 0, 184, 0, 0, 1},  // 67 CDropdownLstAI
    {"", 35, -1, 86, 0, 740, 39, 0, 80, 20, 1, 0},  // 68 CDropdownLstAI
    {"", 35, -1, 86, 1, 740, 39, 0, 80, 20, 1, 0},  // 69 CDropdownLstAI
    {"Sorel On/Off", 3, kImgSwitch, 0, 0, 842, 38, 2, -1, -1, -1, 10002},  // 70 CLed
    {"Sorel On/Off", 3, kImgSwitch, 0, 1, 842, 38, 2, -1, -1, -1, 10002},  // 71 CLed
    {"Intensity", 47, kImgKnob, 12, 0, 33, 110, 129, -1, -1, -1, 10004},  // 72 CAnimKnobKst
    {"Flavour", 47, kImgKnob, 13, 0, 114, 206, 129, -1, -1, -1, 10004},  // 73 CAnimKnobKst
    {"On/Off", 3, kImgSwitch, 14, 0, 174, 92, 2, -1, -1, -1, 10004},  // 74 CLed
    {"Intensity", 47, kImgKnob, 18, 0, 229, 110, 129, -1, -1, -1, 10004},  // 75 CAnimKnobKst
    {"Flavour", 47, kImgKnob, 19, 0, 310, 206, 129, -1, -1, -1, 10004},  // 76 CAnimKnobKst
    {"On/Off", 3, kImgSwitch, 20, 0, 370, 92, 2, -1, -1, -1, 10004},  // 77 CLed
    {"Intensity", 47, kImgKnob, 24, 0, 425, 110, 129, -1, -1, -1, 10004},  // 78 CAnimKnobKst
    {"Flavour", 47, kImgKnob, 25, 0, 506, 206, 129, -1, -1, -1, 10004},  // 79 CAnimKnobKst
    {"On/Off", 3, kImgSwitch, 26, 0, 566, 92, 2, -1, -1, -1, 10004},  // 80 CLed
    {"Intensity", 47, kImgKnob, 30, 0, 621, 110, 129, -1, -1, -1, 10004},  // 81 CAnimKnobKst
    {"Flavour", 47, kImgKnob, 31, 0, 702, 206, 129, -1, -1, -1, 10004},  // 82 CAnimKnobKst
    {"On/Off", 3, kImgSwitch, 32, 0, 762, 92, 2, -1, -1, -1, 10004},  // 83 CLed
    {"Intensity Mid", 47, kImgKnobS, 36, 1, 32, 110, 129, -1, -1, -1, 10005},  // 84 CAnimKnobKst
    {"Flavour Mid", 47, kImgKnobS, 37, 1, 112, 136, 129, -1, -1, -1, 10005},  // 85 CAnimKnobKst
    {"On/Off", 3, kImgSwitch, 38, 1, 174, 92, 2, -1, -1, -1, 10005},  // 86 CLed
    {"Intensity Mid", 47, kImgKnobS, 42, 1, 228, 110, 129, -1, -1, -1, 10005},  // 87 CAnimKnobKst
    {"Flavour Mid", 47, kImgKnobS, 43, 1, 308, 136, 129, -1, -1, -1, 10005},  // 88 CAnimKnobKst
    {"On/Off", 3, kImgSwitch, 44, 1, 370, 92, 2, -1, -1, -1, 10005},  // 89 CLed
    {"Intensity Mid", 47, kImgKnobS, 48, 1, 424, 110, 129, -1, -1, -1, 10005},  // 90 CAnimKnobKst
    {"Flavour Mid", 47, kImgKnobS, 49, 1, 504, 136, 129, -1, -1, -1, 10005},  // 91 CAnimKnobKst
    {"On/Off", 3, kImgSwitch, 50, 1, 566, 92, 2, -1, -1, -1, 10005},  // 92 CLed
    {"Intensity Mid", 47, kImgKnobS, 54, 1, 620, 110, 129, -1, -1, -1, 10005},  // 93 CAnimKnobKst
    {"Flavour Mid", 47, kImgKnobS, 55, 1, 700, 136, 129, -1, -1, -1, 10005},  // 94 CAnimKnobKst
    {"On/Off", 3, kImgSwitch, 56, 1, 762, 92, 2, -1, -1, -1, 10005},  // 95 CLed
    {"Intensity Side", 47, kImgKnobS, 60, 1, 32, 214, 129, -1, -1, -1, 10005},  // 96 CAnimKnobKst
    {"Flavour Side", 47, kImgKnobS, 61, 1, 112, 240, 129, -1, -1, -1, 10005},  // 97 CAnimKnobKst
    {"On/Off", 3, kImgSwitch, 62, 1, 174, 198, 2, -1, -1, -1, 10005},  // 98 CLed
    {"Intensity Side", 47, kImgKnobS, 66, 1, 228, 214, 129, -1, -1, -1, 10005},  // 99 CAnimKnobKst
    {"Flavour Side", 47, kImgKnobS, 67, 1, 308, 240, 129, -1, -1, -1, 10005},  // 100 CAnimKnobKst
    {"On/Off", 3, kImgSwitch, 68, 1, 370, 198, 2, -1, -1, -1, 10005},  // 101 CLed
    {"Intensity Side", 47, kImgKnobS, 72, 1, 424, 214, 129, -1, -1, -1, 10005},  // 102 CAnimKnobKst
    {"Flavour Side", 47, kImgKnobS, 73, 1, 504, 240, 129, -1, -1, -1, 10005},  // 103 CAnimKnobKst
    {"On/Off", 3, kImgSwitch, 74, 1, 566, 198, 2, -1, -1, -1, 10005},  // 104 CLed
    {"Intensity Side", 47, kImgKnobS, 78, 1, 620, 214, 129, -1, -1, -1, 10005},  // 105 CAnimKnobKst
    {"Flavour Side", 47, kImgKnobS, 79, 1, 700, 240, 129, -1, -1, -1, 10005},  // 106 CAnimKnobKst
    {"On/Off", 3, kImgSwitch, 80, 1, 762, 198, 2, -1, -1, -1, 10005},  // 107 CLed
    {"IN", 47, kImgKnobXS, 2, 0, 821, 161, 129, -1, -1, -1, 10005},  // 108 CAnimKnobKst
    {"IN", 47, kImgKnobXS, 2, 1, 821, 161, 129, -1, -1, -1, 10005},  // 109 CAnimKnobKst
    {"OUT", 47, kImgKnobXS, 3, 0, 821, 246, 129, -1, -1, -1, 10005},  // 110 CAnimKnobKst
    {"OUT", 47, kImgKnobXS, 3, 1, 821, 246, 129, -1, -1, -1, 10005},  // 111 CAnimKnobKst
    {"Input Clip", 4, kImgClip, -1, 0, 820, 160, 2, -1, -1, -1, -1},  // 112 CLed lamp
    {"Input Clip", 4, kImgClip, -1, 1, 820, 160, 2, -1, -1, -1, -1},  // 113 CLed lamp
    {"+/- 3/18 dB", 3, kImg3To18, 84, 0, 857, 197, 2, -1, -1, -1, 10003},  // 114 CLed
    {"+/- 3/18 dB", 3, kImg3To18, 85, 0, 857, 282, 2, -1, -1, -1, 10003},  // 115 CLed
    {"+/- 3/18 dB", 3, kImg3To18, 84, 1, 857, 197, 2, -1, -1, -1, 10003},  // 116 CLed
    {"+/- 3/18 dB", 3, kImg3To18, 85, 1, 857, 282, 2, -1, -1, -1, 10003},  // 117 CLed
    {"in", 27, -1, -1, 0, 810, 176, 0, 62, 14, -1, -1},  // 118 CKstTextEd
    {"in", 27, -1, -1, 1, 810, 176, 0, 62, 14, -1, -1},  // 119 CKstTextEd
    {"out", 27, -1, -1, 0, 810, 261, 0, 62, 14, -1, -1},  // 120 CKstTextEd
    {"out", 27, -1, -1, 1, 810, 261, 0, 62, 14, -1, -1},  // 121 CKstTextEd
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

const ListDesc kLists[2] = {{0, 2, -1}, {2, 4, -1}};

}  // namespace sorel
