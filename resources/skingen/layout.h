// Where the editor puts things (scale 1). The background is drawn to fit
// these positions; the preview composes the images at them.
#pragma once

namespace sorel::skingen::layout {

inline constexpr int kWidth = 896;
inline constexpr int kHeight = 340;

struct Box {
  double x, y, w, h;
};

inline constexpr Box kNameLamp{40, 12, 164, 34};
inline constexpr Box kPageButton{250, 10, 80, 42};
inline constexpr Box kMenuButton{334, 34, 17, 17};
inline constexpr Box kHintLine{400, 42, 150, 20};
inline constexpr Box kMakerLogo{549, 4, 131, 41};
inline constexpr Box kSeal{695, 0, 181, 28};
inline constexpr Box kAntiAliasBox{740, 39, 80, 20};
inline constexpr Box kGlobalSwitch{842, 38, 32, 16};

inline constexpr double kPanelX[] = {20, 216, 412, 608};
inline constexpr double kPanelY = 84;
inline constexpr double kCaptionY = 69;

// The right column: compare selectors, store arrows, input and output.
inline constexpr double kSelectorX[] = {811, 833, 855};
inline constexpr double kSelectorY = 92;
inline constexpr double kSelectorSize = 17;
inline constexpr double kArrowX[] = {813, 835, 857};
inline constexpr double kArrowY = 112;
inline constexpr Box kCompareCaption{811, 75, 62, 14};
inline constexpr Box kInputKnob{821, 161, 40, 40};
inline constexpr Box kOutputKnob{821, 246, 40, 40};
inline constexpr Box kInputReadout{806, 143, 70, 14};
inline constexpr Box kOutputReadout{806, 228, 70, 14};
inline constexpr double kClipX = 820, kClipY = 160;
inline constexpr double kRangeX = 857, kInputRangeY = 197, kOutputRangeY = 282;

// The light plate that carries the right column, and the hint display.
inline constexpr Box kColumnPlate{803, 88, 79, 220};
inline constexpr Box kColumnTab{808, 69, 68, 19};
inline constexpr Box kHintDisplay{392, 37, 160, 30};

}  // namespace sorel::skingen::layout
