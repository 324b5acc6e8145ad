// Mouse buttons and modifier keys of one event, with the toolkit's bit values
// (Windows' values: Shift is fine adjustment, Control the default value).
#pragma once

#include <cstdint>

namespace VSTGUI {

enum CButton : int32_t {
  kLButton = 1 << 1,
  kMButton = 1 << 2,
  kRButton = 1 << 3,
  kShift = 1 << 4,
  kControl = 1 << 5,
  kAlt = 1 << 6,
  kApple = 1 << 7,
  kButton4 = 1 << 8,
  kButton5 = 1 << 9,
  kDoubleClick = 1 << 10,
};

class CButtonState {
 public:
  CButtonState(int32_t bits = 0) : state(bits) {}  // NOLINT: implicit, as the toolkit uses it
  int32_t getButtonState() const { return state & (kLButton | kMButton | kRButton | kButton4 | kButton5); }
  int32_t getModifierState() const { return state & (kShift | kControl | kAlt | kApple); }
  // Only that button down; modifiers do not matter.
  bool isLeftButton() const { return getButtonState() == kLButton; }
  bool isRightButton() const { return getButtonState() == kRButton; }
  int32_t operator()() const { return state; }
  bool operator==(const CButtonState&) const = default;

 private:
  int32_t state;
};

enum CMouseEventResult : int32_t {
  kMouseEventNotImplemented = 0,
  kMouseEventHandled,
  kMouseEventNotHandled,
  kMouseDownEventHandledButDontNeedMovedOrUpEvents,
  kMouseMoveEventHandledButDontNeedMoreEvents,
};

enum CKnobMode : int32_t { kCircularMode = 0, kRelativCircularMode, kLinearMode };
enum CHoriTxtAlign : int32_t { kLeftText = 0, kCenterText, kRightText };
enum CDrawStyle : int32_t { kDrawStroked = 0, kDrawFilled, kDrawFilledAndStroked };
enum CDrawMode : int32_t { kAliasing = 0, kAntiAliasing };

}  // namespace VSTGUI
