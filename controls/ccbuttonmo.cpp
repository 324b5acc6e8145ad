#include "ccbuttonmo.h"

#include <cstring>

#include "cbitmap.h"
#include "cframe.h"

namespace sorel {

using namespace VSTGUI;

CCButtonMO::CCButtonMO(int styleIn, const CRect& rect, CControlListener* l, int32_t t, CBitmap* bitmap, int totalCount,
                       int directionIn, int gapIn, bool noMembers)
    : CLed(styleIn, rect, l, t, bitmap, 1, directionIn, gapIn, noMembers) {
  on = false;
  frameHeight = bitmap ? static_cast<int>(bitmap->getHeight() / frameCount) : 0;
  memberCount = totalCount - 1;
  if (memberCount > 0) {
    createMembers();
    for (int i = 0; i < memberCount; ++i) {
      auto* member = static_cast<CCButtonMO*>(members[i]);
      member->actOnRelease = actOnRelease;
      member->frameCount = frameCount;
      member->frameHeight = frameHeight;
    }
  } else {
    memberCount = 0;
  }
  CLed::setValue(0.f);
  invalid();
}

CCButtonMO::CCButtonMO(const CRect& rect, CBitmap* bitmap, int index, CLed* head, int styleIn)
    : CLed(rect, bitmap, index, head, styleIn) {}

CLed* CCButtonMO::newMember(const CRect& rect, CBitmap* bitmap, int index, CLed* head, int styleIn) {
  return new CCButtonMO(rect, bitmap, index, head, styleIn);
}

void CCButtonMO::setActOnRelease(int state) {
  actOnRelease = state;
  for (int i = 0; i < memberCount; ++i) {
    if (auto* member = dynamic_cast<CCButtonMO*>(members[i])) member->setActOnRelease(state);
  }
}

void CCButtonMO::setSimpleDrawing(bool state) {
  simpleDrawing = state;
  for (int i = 0; i < memberCount; ++i) {
    if (auto* member = dynamic_cast<CCButtonMO*>(members[i])) member->setSimpleDrawing(state);
  }
}

int CCButtonMO::currentFrame() const {
  if (simpleDrawing) return disabled ? 2 : (on ? 1 : 0);
  if (frameCount == 8) {
    const int base = disabled ? 3 : pressed ? 1 : hovered ? 2 : 0;
    return base + (on ? 4 : 0);
  }
  if (disabled && frameCount == 4) return 3;
  if (pressed || on) return 1;
  return hovered ? 2 : 0;
}

void CCButtonMO::draw(CDrawContext* context) {
  setDirty(false);
  CBitmap* bitmap = getBackground();
  if (!bitmap) return;
  bitmap->draw(context, size, CPoint(0, frameHeight * currentFrame()), 1.f);
}

CMouseEventResult CCButtonMO::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (disabled) return kMouseEventHandled;
  pressed = true;
  if (actOnRelease) {
    savedButtons = buttons;
  } else {
    CLed::onMouseDown(where, buttons);
  }
  invalid();
  return kMouseEventHandled;
}

CMouseEventResult CCButtonMO::onMouseUp(CPoint& where, const CButtonState& buttons) {
  pressed = false;
  const bool inside = where.x >= size.left && where.x <= size.right && where.y >= size.top && where.y <= size.bottom;
  if (actOnRelease && inside) {
    CLed::onMouseDown(where, savedButtons);
    if (CFrame* frame = getFrame()) frame->endEdit(tag);
  }
  CLed::onMouseUp(where, buttons);
  invalid();
  return kMouseEventHandled;
}

CMouseEventResult CCButtonMO::onMouseEntered(CPoint&, const CButtonState&) {
  hovered = true;
  if (!simpleDrawing) invalid();
  return kMouseEventHandled;
}

CMouseEventResult CCButtonMO::onMouseExited(CPoint&, const CButtonState&) {
  hovered = false;
  if (!simpleDrawing) invalid();
  return kMouseEventHandled;
}

void CCButtonMO::setMouseEnabled(bool enabled) {
  disabled = !enabled;
  invalid();
  CLed::setMouseEnabled(enabled);
}

bool CCButtonMO::removed(CView* parent) {
  hovered = false;
  return CLed::removed(parent);
}

void CCButtonMO::setValue(float v) {
  CLed::setValue(v);
  invalid();
}

bool CCButtonMO::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CCButtonMO") == 0 || CLed::isTypeOf(type));
}

}  // namespace sorel
