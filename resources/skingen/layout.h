// Where the editor puts things (scale 1), read from the editor's own layout
// table: the background is drawn to fit these positions, and the preview
// composes the images at them. Sizes not in the table are those of the
// images drawn here.
#pragma once

#include <array>

#include "../../editor/layout.h"

namespace sorel::skingen::layout {

inline constexpr int kWidth = 896;  // the background, and so the window
inline constexpr int kHeight = 340;

struct Box {
  double x, y, w, h;
};

// The rows of the Stereo page this generator draws for.
enum Row : int {
  kRowPanels = 10,  // four, left to right
  kRowMakerLogo = 32,
  kRowSeal = 33,
  kRowCaptions = 36,  // four, Salt to Chili
  kRowSelector = 46,
  kRowArrows = 47,  // three, A to C
  kRowNameLamp = 55,
  kRowHintLine = 58,
  kRowPageButton = 61,
  kRowMenuButton = 63,
  kRowAntiAlias = 68,
  kRowGlobalSwitch = 70,
  kRowStereoModules = 72,   // amount, flavour, switch of each module
  kRowMidSideModules = 84,  // the same for Mid, then from 96 for Side
  kRowInputKnob = 108,
  kRowOutputKnob = 110,
  kRowClipLamp = 112,
  kRowInputRange = 114,
  kRowOutputRange = 115,
};

inline double xOf(int row) { return kLayout[row].x; }
inline double yOf(int row) { return kLayout[row].y; }
// A row's position with the size of the image drawn for it.
inline Box at(int row, double w, double h) { return {xOf(row), yOf(row), w, h}; }
// A row's position and size, both from the table.
inline Box boxOf(int row) { return at(row, kLayout[row].w, kLayout[row].h); }

inline const Box kNameLamp = at(kRowNameLamp, 164, 34);
inline const Box kPageButton = at(kRowPageButton, 80, 42);
inline const Box kMenuButton = at(kRowMenuButton, 17, 17);
inline const Box kHintLine = boxOf(kRowHintLine);
inline const Box kMakerLogo = at(kRowMakerLogo, 131, 41);
inline const Box kSeal = at(kRowSeal, 181, 28);
inline const Box kAntiAliasBox = boxOf(kRowAntiAlias);
inline const Box kGlobalSwitch = at(kRowGlobalSwitch, 32, 16);

inline const std::array<double, 4> kPanelX = {xOf(kRowPanels), xOf(kRowPanels + 1), xOf(kRowPanels + 2),
                                              xOf(kRowPanels + 3)};
inline const double kPanelY = yOf(kRowPanels);
inline const double kCaptionY = yOf(kRowCaptions);

// The right column: compare selectors, store arrows, input and output.
inline const std::array<double, 3> kSelectorX = {xOf(kRowSelector), xOf(kRowSelector) + kGroups[0].dx,
                                                 xOf(kRowSelector) + 2 * kGroups[0].dx};
inline const double kSelectorY = yOf(kRowSelector);
inline constexpr double kSelectorSize = 17;
inline const std::array<double, 3> kArrowX = {xOf(kRowArrows), xOf(kRowArrows + 1), xOf(kRowArrows + 2)};
inline const double kArrowY = yOf(kRowArrows);
inline const Box kInputKnob = at(kRowInputKnob, 40, 40);
inline const Box kOutputKnob = at(kRowOutputKnob, 40, 40);
inline const double kClipX = xOf(kRowClipLamp), kClipY = yOf(kRowClipLamp);
inline const double kRangeX = xOf(kRowInputRange), kInputRangeY = yOf(kRowInputRange),
                    kOutputRangeY = yOf(kRowOutputRange);

// The light plate that carries the right column, and the hint display: the
// generator's own decoration around the controls.
inline constexpr Box kColumnPlate{803, 88, 79, 220};
inline constexpr Box kColumnTab{808, 69, 68, 19};
inline constexpr Box kHintDisplay{392, 37, 160, 30};

}  // namespace sorel::skingen::layout
