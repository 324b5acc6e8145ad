// How a control reports to its owner (the editor).
#pragma once

#include <cstdint>

#include "cbuttonstate.h"

namespace VSTGUI {

class CControl;

class CControlListener {
 public:
  virtual ~CControlListener() = default;
  virtual void valueChanged(CControl* control) = 0;
  // Non-zero: the click was taken by the listener.
  virtual int32_t controlModifierClicked(CControl*, CButtonState) { return 0; }
  virtual void controlBeginEdit(CControl*) {}
  virtual void controlEndEdit(CControl*) {}
};

using IControlListener = CControlListener;

}  // namespace VSTGUI
