#include "cview.h"

#include <cstring>

#include "cbitmap.h"
#include "cdrawcontext.h"
#include "cframe.h"

namespace VSTGUI {

CView::CView(const CRect& rect) : size(rect), mouseableArea(rect) {}

CView::~CView() {
  if (backgroundBitmap) backgroundBitmap->forget();
}

void CView::setViewSize(const CRect& rect, bool invalidate) {
  size = rect;
  if (invalidate) setDirty();
}

CPoint& CView::localToFrame(CPoint& point) const {
  for (const CView* p = parentView; p; p = p->parentView) {
    if (p == static_cast<const CView*>(parentFrame)) break;
    point.offset(p->size.left, p->size.top);
  }
  return point;
}

CPoint& CView::frameToLocal(CPoint& point) const {
  for (const CView* p = parentView; p; p = p->parentView) {
    if (p == static_cast<const CView*>(parentFrame)) break;
    point.offset(-p->size.left, -p->size.top);
  }
  return point;
}

bool CView::attached(CView* parent) {
  if (attachedFlag) return false;
  parentView = parent;
  parentFrame = parent ? parent->getFrame() : nullptr;
  attachedFlag = true;
  return true;
}

bool CView::removed(CView*) {
  if (!attachedFlag) return false;
  if (parentFrame) parentFrame->onViewRemoved(this);
  parentView = nullptr;
  parentFrame = nullptr;
  attachedFlag = false;
  return true;
}

void CView::setVisible(bool state) {
  if (visible == state) return;
  if (!state) {
    // The area it covered needs a repaint; off the UI thread the parent
    // repaints whole at the next idle.
    if (!CFrame::onUIThread() && parentView) parentView->setDirty(true);
    invalid();
  }
  visible = state;
  if (state) invalid();
}

void CView::setAlphaValue(float alpha) {
  if (alphaValue == alpha) return;
  alphaValue = alpha;
  setDirty();
}

void CView::setBackground(CBitmap* background) {
  if (background) background->remember();
  if (backgroundBitmap) backgroundBitmap->forget();
  backgroundBitmap = background;
  setDirty();
}

void CView::invalid() {
  if (!CFrame::onUIThread()) {
    setDirty(true);
    return;
  }
  setDirty(false);
  invalidRect(size);
}

void CView::invalidRect(const CRect& rect) {
  if (!attachedFlag || !isVisible() || !parentView) return;
  if (!CFrame::onUIThread()) {
    setDirty(true);
    return;
  }
  parentView->invalidRect(rect);
}

void CView::draw(CDrawContext* context) {
  if (backgroundBitmap) backgroundBitmap->draw(context, size);
  setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect&) { draw(context); }

bool CView::hitTest(const CPoint& where, const CButtonState&) { return mouseableArea.pointInside(where); }

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseEntered(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseExited(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
bool CView::onWheel(const CPoint&, const float&, const CButtonState&) { return false; }
int32_t CView::onKeyDown(VstKeyCode&) { return -1; }
int32_t CView::onKeyUp(VstKeyCode&) { return -1; }

bool CView::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CView") == 0 || CBaseObject::isTypeOf(type));
}

}  // namespace VSTGUI
