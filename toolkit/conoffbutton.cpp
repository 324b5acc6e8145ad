#include "conoffbutton.h"

#include <cstring>

#include "cbitmap.h"

namespace VSTGUI {

COnOffButton::COnOffButton(const CRect& rect, CControlListener* l, int32_t t, CBitmap* background, int32_t style)
    : CControl(rect, l, t, background), buttonStyle(style) {}

void COnOffButton::draw(CDrawContext* context) {
  if (CBitmap* bitmap = getBackground()) {
    const CCoord top = getValue() == getMax() ? bitmap->getHeight() / 2 : 0;
    bitmap->draw(context, size, CPoint(0, top));
  }
  setDirty(false);
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) return kMouseEventNotHandled;
  beginEdit();
  setValue(getValue() == getMax() ? getMin() : getMax());
  if (buttonStyle & kPostListenerUpdate) invalid();
  valueChanged();
  endEdit();
  if (!(buttonStyle & kPostListenerUpdate)) invalid();
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool COnOffButton::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "COnOffButton") == 0 || CControl::isTypeOf(type));
}

}  // namespace VSTGUI
