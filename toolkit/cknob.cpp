#include "cknob.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "cbitmap.h"
#include "cframe.h"

namespace VSTGUI {

namespace {
constexpr float kPi = std::numbers::pi_v<float>;
}  // namespace

CKnob::CKnob(const CRect& rect, CControlListener* l, int32_t t, CBitmap* background, CBitmap* handle,
             const CPoint& offset)
    : CControl(rect, l, t, background), backgroundOffset(offset), startAngle(kPi * 3 / 4), rangeAngle(kPi * 3 / 2) {
  setHandleBitmap(handle);
  setWantsFocus(true);
}

CKnob::~CKnob() { setHandleBitmap(nullptr); }

void CKnob::setHandleBitmap(CBitmap* bitmap) {
  if (bitmap) bitmap->remember();
  if (handleBitmap) handleBitmap->forget();
  handleBitmap = bitmap;
  setDirty();
}

void CKnob::draw(CDrawContext* context) {
  if (CBitmap* background = getBackground()) background->draw(context, size, backgroundOffset);
  setDirty(false);
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) return kMouseEventNotHandled;
  beginEdit();
  if (checkDefaultValue(buttons)) {
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  startDrag(where, buttons);
  return kMouseEventHandled;
}

void CKnob::startDrag(const CPoint& where, const CButtonState& buttons) {
  firstPoint = where;
  entryValue = getValue();
  dragModifiers = buttons.getModifierState();
  const int32_t mode = getFrame() ? getFrame()->getKnobMode() : kCircularMode;
  const bool alt = (dragModifiers & kAlt) != 0;
  linearDrag = (mode == kLinearMode) != alt;
  dragRange = kLinearRange;
  if (linearDrag && (dragModifiers & kZoomModifier)) dragRange *= zoomFactor;
}

CMouseEventResult CKnob::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (!isEditing() || !(buttons() & kLButton)) return kMouseEventHandled;
  // New modifiers start a new drag from here, so the value does not jump.
  if (buttons.getModifierState() != dragModifiers) startDrag(where, buttons);
  setValue(linearDrag ? linearValue(where) : circularValue(where));
  if (isDirty()) {
    valueChanged();
    invalid();
  }
  return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseUp(CPoint&, const CButtonState&) {
  endEdit();
  return kMouseEventHandled;
}

float CKnob::linearValue(const CPoint& where) const {
  const CCoord diff = (firstPoint.y - where.y) + (where.x - firstPoint.x);
  const CCoord next = entryValue + diff * (getMax() - getMin()) / dragRange;
  return static_cast<float>(std::clamp(next, static_cast<CCoord>(getMin()), static_cast<CCoord>(getMax())));
}

float CKnob::circularValue(const CPoint& where) const {
  const float span = getMax() - getMin();
  float next = getMin() + valueFromPoint(where) * span;
  // A jump across the gap below the arc stays at the end it came from.
  const float current = getValue();
  if (std::abs(next - current) > std::abs(span) / 2) {
    next = std::abs(current - getMax()) < std::abs(current - getMin()) ? getMax() : getMin();
  }
  return next;
}

float CKnob::valueFromPoint(const CPoint& where) const {
  const CPoint centre = size.getCenter();
  const auto angle = static_cast<float>(std::atan2(where.y - centre.y, where.x - centre.x));
  float along = std::fmod(angle - startAngle, 2 * kPi);
  if (along < 0) along += 2 * kPi;
  if (rangeAngle <= 0) return 0;
  if (along <= rangeAngle) return along / rangeAngle;
  const float gap = 2 * kPi - rangeAngle;
  return along - rangeAngle < gap / 2 ? 1.f : 0.f;
}

bool CKnob::onWheel(const CPoint&, const float& distance, const CButtonState& buttons) {
  if (!getMouseEnabled()) return false;
  float step = distance * getWheelInc();
  if (buttons.getModifierState() & kZoomModifier) step *= 0.1f;
  setValueNormalized(getValueNormalized() + step);
  if (isDirty()) {
    invalid();
    beginEdit();
    valueChanged();
    endEdit();
  }
  return true;
}

bool CKnob::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CKnob") == 0 || CControl::isTypeOf(type));
}

}  // namespace VSTGUI
