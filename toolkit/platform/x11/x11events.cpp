#include "x11events.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include <cmath>

#include "cbuttonstate.h"

namespace VSTGUI::x11 {

int32_t modifiersFromState(unsigned int state) {
  int32_t bits = 0;
  if (state & ShiftMask) bits |= kShift;
  if (state & ControlMask) bits |= kControl;
  if (state & Mod1Mask) bits |= kAlt;
  return bits;
}

int32_t buttonsFromState(unsigned int state) {
  int32_t bits = 0;
  if (state & Button1Mask) bits |= kLButton;
  if (state & Button2Mask) bits |= kMButton;
  if (state & Button3Mask) bits |= kRButton;
  return bits;
}

int32_t buttonBit(unsigned int xButton) {
  switch (xButton) {
    case 1:
      return kLButton;
    case 2:
      return kMButton;
    case 3:
      return kRButton;
    case 8:
      return kButton4;
    case 9:
      return kButton5;
    default:
      return 0;
  }
}

float wheelNotches(unsigned int xButton) {
  if (xButton == 4) return 1.f;
  if (xButton == 5) return -1.f;
  return 0.f;
}

bool isRealLeave(int mode, int detail) {
  if (mode == NotifyGrab || mode == NotifyUngrab) return false;
  return detail != NotifyInferior;
}

namespace {

unsigned char virtualKey(unsigned long keySym) {
  switch (keySym) {
    case XK_BackSpace:
      return VKEY_BACK;
    case XK_Tab:
    case XK_ISO_Left_Tab:
    case XK_KP_Tab:
      return VKEY_TAB;
    case XK_Return:
      return VKEY_RETURN;
    case XK_KP_Enter:
      return VKEY_ENTER;
    case XK_Escape:
      return VKEY_ESCAPE;
    case XK_End:
    case XK_KP_End:
      return VKEY_END;
    case XK_Home:
    case XK_KP_Home:
      return VKEY_HOME;
    case XK_Left:
    case XK_KP_Left:
      return VKEY_LEFT;
    case XK_Up:
    case XK_KP_Up:
      return VKEY_UP;
    case XK_Right:
    case XK_KP_Right:
      return VKEY_RIGHT;
    case XK_Down:
    case XK_KP_Down:
      return VKEY_DOWN;
    case XK_Delete:
    case XK_KP_Delete:
      return VKEY_DELETE;
    default:
      return 0;
  }
}

// Keypad keys that type a character once Num Lock has made them digits.
int keypadCharacter(unsigned long keySym) {
  if (keySym >= XK_KP_0 && keySym <= XK_KP_9) return static_cast<int>('0' + (keySym - XK_KP_0));
  switch (keySym) {
    case XK_KP_Decimal:
      return '.';
    case XK_KP_Add:
      return '+';
    case XK_KP_Subtract:
      return '-';
    case XK_KP_Multiply:
      return '*';
    case XK_KP_Divide:
      return '/';
    case XK_KP_Space:
      return ' ';
    default:
      return 0;
  }
}

unsigned char keyModifiers(unsigned int state) {
  unsigned int bits = 0;
  if (state & ShiftMask) bits |= MODIFIER_SHIFT;
  if (state & Mod1Mask) bits |= MODIFIER_ALTERNATE;
  if (state & ControlMask) bits |= MODIFIER_CONTROL;
  return static_cast<unsigned char>(bits);
}

}  // namespace

bool keyCodeFromKeySym(unsigned long keySym, unsigned int state, VstKeyCode& key) {
  key = VstKeyCode{0, 0, keyModifiers(state)};
  if (const unsigned char virt = virtualKey(keySym)) {
    key.virt = virt;
    return true;
  }
  // Latin-1 key symbols are their own character codes; only ASCII is used.
  if (keySym >= 0x20 && keySym <= 0x7e) {
    key.character = static_cast<VstInt32>(keySym);
    return true;
  }
  if (const int c = keypadCharacter(keySym)) {
    key.character = c;
    return true;
  }
  return false;
}

bool DoubleClickDetector::press(unsigned int xButton, unsigned long time, const CPoint& where) {
  // Server time is a 32-bit millisecond counter that wraps.
  const auto interval = static_cast<uint32_t>(time - lastTime);
  const bool isDouble = armed && xButton == button && interval <= kMaxIntervalMs &&
                        std::fabs(where.x - lastWhere.x) <= kMaxDistance &&
                        std::fabs(where.y - lastWhere.y) <= kMaxDistance;
  armed = !isDouble;
  button = xButton;
  lastTime = time;
  lastWhere = where;
  return isDouble;
}

}  // namespace VSTGUI::x11
