#include "cviewcontainer.h"

#include <algorithm>
#include <cstring>

#include "cbitmap.h"
#include "ccontrol.h"
#include "cdrawcontext.h"
#include "cframe.h"

namespace VSTGUI {

namespace {
// Keeps a view alive across a handler that may remove it.
struct Guard {
  explicit Guard(CBaseObject* o) : object(o) { object->remember(); }
  ~Guard() { object->forget(); }
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;
  CBaseObject* object;
};

bool handled(CMouseEventResult result) {
  return result != kMouseEventNotHandled && result != kMouseEventNotImplemented;
}
}  // namespace

CViewContainer::CViewContainer(const CRect& rect) : CView(rect) { setTransparency(false); }

CViewContainer::CViewContainer(const CRect& rect, CFrame*, CBitmap* background) : CViewContainer(rect) {
  if (background) setBackground(background);
}

CViewContainer::~CViewContainer() { removeAll(true); }

bool CViewContainer::addView(CView* view) { return addView(view, nullptr); }

bool CViewContainer::addView(CView* view, CView* before) {
  if (!view || view->isAttached() || isChild(view)) return false;
  auto at = std::find(children.begin(), children.end(), before);
  children.insert(at, view);
  if (isAttached()) view->attached(this);
  view->setDirty();
  return true;
}

bool CViewContainer::removeView(CView* view, bool withForget) {
  auto at = std::find(children.begin(), children.end(), view);
  if (at == children.end()) return false;
  if (view->isAttached()) view->invalid();
  if (mouseDownView == view) mouseDownView = nullptr;
  children.erase(at);
  if (view->isAttached()) view->removed(this);
  if (withForget) view->forget();
  return true;
}

bool CViewContainer::removeAll(bool withForget) {
  while (!children.empty()) removeView(children.back(), withForget);
  return true;
}

bool CViewContainer::isChild(const CView* view) const {
  return std::find(children.begin(), children.end(), view) != children.end();
}

CView* CViewContainer::getView(int32_t index) const {
  return index >= 0 && index < getNbViews() ? children[static_cast<size_t>(index)] : nullptr;
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep, bool mustbeMouseEnabled) const {
  const CPoint local = toLocal(where);
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    CView* child = *it;
    if (!child->isVisible() || (mustbeMouseEnabled && !child->getMouseEnabled())) continue;
    if (!child->getMouseableArea().pointInside(local)) continue;
    if (auto* container = deep ? dynamic_cast<CViewContainer*>(child) : nullptr) {
      CView* inner = container->getViewAt(local, true, mustbeMouseEnabled);
      return inner ? inner : child;
    }
    return child;
  }
  return nullptr;
}

void CViewContainer::draw(CDrawContext* context) { drawRect(context, size); }

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& localRect) {
  if (CBitmap* bitmap = getBackground()) {
    bitmap->draw(context, localRect, localRect.getTopLeft());
  } else if (!getTransparency() && backgroundColor.alpha > 0) {
    context->setFillColor(backgroundColor);
    context->drawRect(localRect, kDrawFilled);
  }
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect) {
  CRect update = updateRect;
  update.bound(size);
  CRect local = update;
  local.offset(-size.left, -size.top);
  context->pushTranslation(size.getTopLeft());
  context->saveGlobalState();
  context->setClipRect(local);
  drawBackgroundRect(context, local);
  context->restoreGlobalState();
  const float alpha = context->getGlobalAlpha();
  for (CView* child : children) {
    if (!child->isVisible() || !child->getViewSize().rectOverlap(local)) continue;
    CRect clip = child->getViewSize();
    clip.bound(local);
    if (clip.isEmpty()) continue;
    context->saveGlobalState();
    context->setClipRect(clip);
    context->setGlobalAlpha(alpha * child->getAlphaValue());
    child->drawRect(context, clip);
    context->restoreGlobalState();
  }
  context->popTranslation();
  setDirty(false);
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons) {
  const CPoint local = toLocal(where);
  // Copy: a handler may change the children.
  const std::vector<CView*> order(children.rbegin(), children.rend());
  for (CView* child : order) {
    if (!isChild(child)) continue;
    if (!child->isVisible() || !child->getMouseEnabled() || !child->hitTest(local, buttons)) continue;
    auto* control = dynamic_cast<CControl*>(child);
    if (control && control->getListener() && (buttons.getModifierState() || buttons.isRightButton())) {
      if (control->getListener()->controlModifierClicked(control, buttons) != 0) return kMouseEventHandled;
    }
    Guard guard(child);
    if (child->wantsFocus()) {
      if (CFrame* frame = getFrame()) frame->setFocusView(child);
    }
    CPoint p = local;
    const CMouseEventResult result = child->onMouseDown(p, buttons);
    if (handled(result)) {
      if (result == kMouseEventHandled && isChild(child)) mouseDownView = child;
      return result;
    }
    if (!child->getTransparency()) return kMouseEventNotHandled;
  }
  return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::toMouseDownView(CPoint& where, const CButtonState& buttons,
                                                  CMouseEventResult (CView::*handler)(CPoint&, const CButtonState&)) {
  if (!mouseDownView) return kMouseEventNotHandled;
  CView* view = mouseDownView;
  Guard guard(view);
  CPoint p = toLocal(where);
  return (view->*handler)(p, buttons);
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons) {
  const CMouseEventResult result = toMouseDownView(where, buttons, &CView::onMouseUp);
  mouseDownView = nullptr;
  return result;
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  const CMouseEventResult result = toMouseDownView(where, buttons, &CView::onMouseMoved);
  if (result != kMouseEventHandled && result != kMouseEventNotImplemented) mouseDownView = nullptr;
  return result;
}

bool CViewContainer::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) {
  const CPoint local = toLocal(where);
  const std::vector<CView*> order(children.rbegin(), children.rend());
  for (CView* child : order) {
    if (!isChild(child)) continue;
    if (!child->isVisible() || !child->getMouseEnabled() || !child->getMouseableArea().pointInside(local)) continue;
    Guard guard(child);
    if (child->onWheel(local, distance, buttons)) return true;
    if (!child->getTransparency()) return false;
  }
  return false;
}

void CViewContainer::invalid() {
  if (!CFrame::onUIThread()) {
    setDirty(true);
    return;
  }
  setDirty(false);
  if (CView* parent = getParentView(); parent && isAttached() && isVisible()) parent->invalidRect(size);
}

void CViewContainer::invalidRect(const CRect& rect) {
  if (!isAttached() || !isVisible()) return;
  CRect r = rect;
  r.offset(size.left, size.top);
  r.bound(size);
  if (r.isEmpty()) return;
  if (CView* parent = getParentView()) parent->invalidRect(r);
}

void CViewContainer::invalidateDirtyViews() {
  if (!isVisible()) return;
  if (CView::isDirty()) {
    invalid();
    return;
  }
  for (CView* child : std::vector<CView*>(children)) {
    if (!child->isVisible()) continue;
    if (auto* container = dynamic_cast<CViewContainer*>(child)) {
      container->invalidateDirtyViews();
    } else if (child->isDirty()) {
      child->invalid();
    }
  }
}

bool CViewContainer::attached(CView* parent) {
  if (!CView::attached(parent)) return false;
  for (CView* child : std::vector<CView*>(children)) child->attached(this);
  return true;
}

bool CViewContainer::removed(CView* parent) {
  if (!isAttached()) return false;
  for (CView* child : std::vector<CView*>(children)) child->removed(this);
  mouseDownView = nullptr;
  return CView::removed(parent);
}

bool CViewContainer::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CViewContainer") == 0 || CView::isTypeOf(type));
}

}  // namespace VSTGUI
