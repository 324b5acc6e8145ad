#include "win32events.h"

#include <windows.h>

#include "cbuttonstate.h"

namespace VSTGUI::win32 {

namespace {
struct KeyRow {
  unsigned virtualKey;
  unsigned char vstKey;
};

constexpr KeyRow kKeys[] = {
    {VK_BACK, VKEY_BACK},     {VK_TAB, VKEY_TAB},       {VK_RETURN, VKEY_RETURN}, {VK_ESCAPE, VKEY_ESCAPE},
    {VK_SPACE, VKEY_SPACE},   {VK_END, VKEY_END},       {VK_HOME, VKEY_HOME},     {VK_LEFT, VKEY_LEFT},
    {VK_UP, VKEY_UP},         {VK_RIGHT, VKEY_RIGHT},   {VK_DOWN, VKEY_DOWN},     {VK_PRIOR, VKEY_PAGEUP},
    {VK_NEXT, VKEY_PAGEDOWN}, {VK_INSERT, VKEY_INSERT}, {VK_DELETE, VKEY_DELETE},
};

bool down(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

unsigned char keyModifiers() {
  unsigned char modifiers = 0;
  if (GetKeyState(VK_SHIFT) < 0) modifiers |= MODIFIER_SHIFT;
  if (GetKeyState(VK_MENU) < 0) modifiers |= MODIFIER_ALTERNATE;
  if (GetKeyState(VK_CONTROL) < 0) modifiers |= MODIFIER_CONTROL;
  return modifiers;
}
}  // namespace

int32_t buttonsFromMouseFlags(unsigned flags, bool altDown) {
  int32_t buttons = 0;
  if (flags & MK_LBUTTON) buttons |= kLButton;
  if (flags & MK_MBUTTON) buttons |= kMButton;
  if (flags & MK_RBUTTON) buttons |= kRButton;
  if (flags & MK_XBUTTON1) buttons |= kButton4;
  if (flags & MK_XBUTTON2) buttons |= kButton5;
  if (flags & MK_SHIFT) buttons |= kShift;
  if (flags & MK_CONTROL) buttons |= kControl;
  if (altDown) buttons |= kAlt;
  return buttons;
}

int32_t buttonOfMessage(unsigned message, unsigned xButton) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return kLButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return kMButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return kRButton;
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
    case WM_XBUTTONDBLCLK:
      return xButton == XBUTTON1 ? kButton4 : xButton == XBUTTON2 ? kButton5 : 0;
    default:
      return 0;
  }
}

bool isDoubleClickMessage(unsigned message) {
  return message == WM_LBUTTONDBLCLK || message == WM_MBUTTONDBLCLK || message == WM_RBUTTONDBLCLK ||
         message == WM_XBUTTONDBLCLK;
}

int32_t currentButtons() {
  int32_t buttons = 0;
  if (down(VK_LBUTTON)) buttons |= kLButton;
  if (down(VK_MBUTTON)) buttons |= kMButton;
  if (down(VK_RBUTTON)) buttons |= kRButton;
  if (down(VK_XBUTTON1)) buttons |= kButton4;
  if (down(VK_XBUTTON2)) buttons |= kButton5;
  if (down(VK_SHIFT)) buttons |= kShift;
  if (down(VK_CONTROL)) buttons |= kControl;
  if (down(VK_MENU)) buttons |= kAlt;
  return buttons;
}

bool keyCodeFromVirtualKey(unsigned virtualKey, VstKeyCode& key) {
  key = VstKeyCode{};
  key.modifier = keyModifiers();
  for (const KeyRow& row : kKeys) {
    if (row.virtualKey == virtualKey) {
      key.virt = row.vstKey;
      return true;
    }
  }
  const unsigned character = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_CHAR) & 0x7fffu;
  if (character < 0x20 || character > 0x7e) return false;
  // Letters come as capitals; the host interface uses the unshifted key.
  key.character = static_cast<VstInt32>(character >= 'A' && character <= 'Z' ? character - 'A' + 'a' : character);
  return true;
}

}  // namespace VSTGUI::win32
