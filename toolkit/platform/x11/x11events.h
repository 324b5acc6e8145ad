// From X11 event fields to the layer's buttons, modifiers and keys. The
// mapping functions need no display connection, so they are tested alone.
#pragma once

#include <cstdint>

#include "aeffect.h"
#include "cpoint.h"

namespace VSTGUI::x11 {

// Shift, Control and Alt (Mod1) as CButtonState bits; lock bits are ignored.
int32_t modifiersFromState(unsigned int state);
// The buttons held in `state` (left, middle, right only: X keeps no state
// bits for its buttons 8 and 9).
int32_t buttonsFromState(unsigned int state);
// X button 1, 2, 3, 8, 9 as kLButton, kMButton, kRButton, kButton4, kButton5;
// 0 for the wheel buttons and anything else.
int32_t buttonBit(unsigned int xButton);
// Notches of a wheel button: +1 for 4 (away from the user), -1 for 5, 0 for
// anything else (6 and 7 scroll sideways, which the layer does not use).
float wheelNotches(unsigned int xButton);
// Whether a LeaveNotify means the pointer really left: grab changes and
// moves into a child window do not count.
bool isRealLeave(int mode, int detail);
// A key as the host interface describes it: printable ASCII in `character`,
// editing and navigation keys in `virt`, modifiers in `modifier`. False for
// keys the layer has no use for (function keys, the modifier keys alone...).
bool keyCodeFromKeySym(unsigned long keySym, unsigned int state, VstKeyCode& key);

// Turns a second press of the same button, soon enough and close enough to
// the first, into a double click. A third press starts over.
class DoubleClickDetector {
 public:
  static constexpr unsigned long kMaxIntervalMs = 400;
  static constexpr double kMaxDistance = 4;

  // `time` is the server's millisecond timestamp (it wraps).
  bool press(unsigned int xButton, unsigned long time, const CPoint& where);
  void reset() { armed = false; }

 private:
  bool armed = false;
  unsigned int button = 0;
  unsigned long lastTime = 0;
  CPoint lastWhere;
};

}  // namespace VSTGUI::x11
