// From Win32 message fields to the layer's buttons, modifiers and keys.
#pragma once

#include <cstdint>

#include "aeffect.h"

namespace VSTGUI::win32 {

// The MK_* flags of a mouse message (buttons, Shift, Control), plus Alt,
// which the message does not carry, as CButtonState bits.
int32_t buttonsFromMouseFlags(unsigned flags, bool altDown);
// The button a WM_xBUTTONDOWN/UP/DBLCLK message is about; 0 for others.
int32_t buttonOfMessage(unsigned message, unsigned xButton);
// True for the WM_xBUTTONDBLCLK messages.
bool isDoubleClickMessage(unsigned message);
// The buttons and modifiers held right now.
int32_t currentButtons();
// A WM_KEYDOWN/UP virtual key as the host interface describes it; false for
// keys the layer has no use for.
bool keyCodeFromVirtualKey(unsigned virtualKey, VstKeyCode& key);

}  // namespace VSTGUI::win32
