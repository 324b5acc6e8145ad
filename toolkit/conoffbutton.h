// A two-state button drawn from a bitmap holding both pictures stacked: the
// upper half while off, the lower half while on (value at its maximum). A
// left click toggles between minimum and maximum as one edit gesture.
#pragma once

#include "ccontrol.h"

namespace VSTGUI {

class COnOffButton : public CControl {
 public:
  // Styles: when the listener hears of a click relative to the repaint.
  enum : int32_t { kPreListenerUpdate = 0, kPostListenerUpdate = 1 << 0 };

  COnOffButton(const CRect& size, CControlListener* listener = nullptr, int32_t tag = -1, CBitmap* background = nullptr,
               int32_t style = kPreListenerUpdate);

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

  int32_t getStyle() const { return buttonStyle; }
  virtual void setStyle(int32_t style) { buttonStyle = style; }

  bool isTypeOf(const char* type) const override;

 private:
  int32_t buttonStyle;
};

}  // namespace VSTGUI
