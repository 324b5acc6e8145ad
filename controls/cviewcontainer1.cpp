#include "cviewcontainer1.h"

#include <cstring>

namespace sorel {

using namespace VSTGUI;

CViewContainer1::CViewContainer1(const CRect& rect, CFrame* frame, CBitmap* background)
    : CViewContainer(rect, frame, background) {
  setDirty(true);
}

void CViewContainer1::detachFromParent() {
  if (auto* container = dynamic_cast<CViewContainer*>(parent)) container->removeView(this, false);
}

CMouseEventResult CViewContainer1::onMouseDown(CPoint& where, const CButtonState& buttons) {
  CView* first = mouseFirst;
  if (first && first->isVisible() && first->getAlphaValue() > 0.f && first->getMouseEnabled()) {
    CPoint local(where.x - size.left, where.y - size.top);
    if (first->hitTest(local, buttons)) first->onMouseDown(local, buttons);
  }
  return CViewContainer::onMouseDown(where, buttons);
}

bool CViewContainer1::attached(CView* newParent) {
  parent = newParent;
  return CViewContainer::attached(newParent);
}

bool CViewContainer1::removed(CView* oldParent) {
  parent = nullptr;
  return CViewContainer::removed(oldParent);
}

bool CViewContainer1::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CViewContainer1") == 0 || CViewContainer::isTypeOf(type));
}

}  // namespace sorel
