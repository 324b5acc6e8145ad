#include "canimknobkst.h"

namespace sorel {

using namespace VSTGUI;

CAnimKnobKst::CAnimKnobKst(const CRect& rect, CControlListener* owner, int32_t controlTag, int32_t subPixmaps,
                           CCoord frameHeight, CBitmap* strip, const CPoint& origin)
    : CAnimKnob(rect, owner, controlTag, subPixmaps, frameHeight, strip, origin) {}

void CAnimKnobKst::setCircularHitArea(bool state) {
  circularHit = state;
  const auto r = static_cast<float>((size.right - size.left) * 0.5);
  radiusSquared = r * r;
  centreX = static_cast<float>((size.left + size.right) * 0.5);
  centreY = static_cast<float>((size.top + size.bottom) * 0.5);
}

void CAnimKnobKst::draw(CDrawContext* context) {
  setDirty(false);
  CAnimKnob::draw(context);
}

CMouseEventResult CAnimKnobKst::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (circularHit) {
    const auto dx = static_cast<float>(where.x - centreX);
    const auto dy = static_cast<float>(where.y - centreY);
    const float distanceSquared = dx * dx + dy * dy;
    if (radiusSquared < distanceSquared) return kMouseEventNotHandled;
  }
  const CMouseEventResult result = CAnimKnob::onMouseDown(where, buttons);
  if (buttons.getButtonState() == kLButton && (buttons() & kDefaultValueModifier) != 0) invalid();
  return result;
}

bool CAnimKnobKst::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) {
  setDirty(true);
  return CAnimKnob::onWheel(where, distance, buttons);
}

}  // namespace sorel
