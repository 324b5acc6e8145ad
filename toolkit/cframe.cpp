#include "cframe.h"

#include <algorithm>
#include <cstring>

#include "cdrawcontext.h"

namespace VSTGUI {

namespace {
thread_local int uiScopeDepth = 0;

// Keeps the frame alive while a handler runs: it may close the editor.
struct FrameGuard {
  explicit FrameGuard(CFrame* f) : frame(f) { frame->remember(); }
  ~FrameGuard() { frame->forget(); }
  FrameGuard(const FrameGuard&) = delete;
  FrameGuard& operator=(const FrameGuard&) = delete;
  CFrame* frame;
  CFrame::UIScope scope;
};
}  // namespace

CFrame::UIScope::UIScope() { ++uiScopeDepth; }
CFrame::UIScope::~UIScope() { --uiScopeDepth; }
bool CFrame::onUIThread() { return uiScopeDepth > 0; }

CFrame::CFrame(const CRect& rect, VSTGUIEditorInterface* owner) : CViewContainer(rect), editor(owner) {
  // The frame is the root: attached from the start, its own frame.
  parentFrame = this;
  attachedFlag = true;
}

CFrame::~CFrame() = default;

bool CFrame::open(void* parent) {
  if (platformFrame) return false;
  UIScope scope;
  platformFrame = createPlatformFrame(this, size, parent);
  if (!platformFrame) return false;
  setDirty();
  return true;
}

void CFrame::close() {
  UIScope scope;
  remember();
  if (modalView) {
    CView* modal = modalView;
    modalView = nullptr;
    removeView(modal, false);
  }
  setFocusView(nullptr);
  clearHover(CButtonState());
  removeAll(true);
  if (platformFrame) {
    platformFrame->forget();
    platformFrame = nullptr;
  }
  forget();  // the guard's
  forget();  // the creator's
}

int32_t CFrame::getKnobMode() const {
  const int32_t mode = editor ? editor->getKnobMode() : -1;
  return mode == -1 ? kCircularMode : mode;
}

bool CFrame::setModalView(CView* view) {
  if (!view) {
    if (modalView) {
      CView* modal = modalView;
      modalView = nullptr;
      removeView(modal, false);
    }
    return true;
  }
  if (modalView || view->isAttached()) return false;
  clearHover(getCurrentMouseButtons());
  if (!addView(view)) return false;
  modalView = view;
  view->invalid();
  return true;
}

void CFrame::setFocusView(CView* view) {
  if (view == focusView) return;
  CView* old = focusView;
  focusView = nullptr;
  if (old) old->looseFocus();
  if (view && view->wantsFocus()) {
    focusView = view;
    view->takeFocus();
  }
}

void CFrame::beginEdit(int32_t tag) {
  if (editor) editor->beginEdit(tag);
}

void CFrame::endEdit(int32_t tag) {
  if (editor) editor->endEdit(tag);
}

bool CFrame::getCurrentMouseLocation(CPoint& where) const {
  return platformFrame && platformFrame->getCurrentMousePosition(where);
}

CButtonState CFrame::getCurrentMouseButtons() const {
  CButtonState buttons;
  if (platformFrame) platformFrame->getCurrentMouseButtons(buttons);
  return buttons;
}

void CFrame::idle() {
  UIScope scope;
  if (CView::isDirty()) {
    invalid();
  } else {
    invalidateDirtyViews();
  }
}

void CFrame::invalid() {
  if (!onUIThread()) {
    setDirty(true);
    return;
  }
  CView::setDirty(false);
  invalidRect(size);
}

void CFrame::invalidRect(const CRect& rect) {
  if (!onUIThread()) {
    setDirty(true);
    return;
  }
  CRect r = rect;
  r.bound(size);
  if (platformFrame && !r.isEmpty()) platformFrame->invalidRect(r);
}

CMouseEventResult CFrame::onMouseDown(CPoint& where, const CButtonState& buttons) {
  mouseDownView = nullptr;
  if (focusView && focusView->isTypeOf("CTextEdit")) setFocusView(nullptr);  // commits the entry
  if (!modalView) return CViewContainer::onMouseDown(where, buttons);
  CView* modal = modalView;
  if (!modal->isVisible() || !modal->getMouseEnabled() || !modal->hitTest(where, buttons)) return kMouseEventNotHandled;
  if (modal->wantsFocus()) setFocusView(modal);
  modal->remember();
  const CMouseEventResult result = modal->onMouseDown(where, buttons);
  if (result == kMouseEventHandled && modalView == modal) mouseDownView = modal;
  modal->forget();
  return result;
}

CMouseEventResult CFrame::onMouseUp(CPoint& where, const CButtonState& buttons) {
  const CMouseEventResult result = CViewContainer::onMouseUp(where, buttons);
  updateHover(where, buttons);
  return result;
}

CMouseEventResult CFrame::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (!pressInProgress()) updateHover(where, buttons);
  if (pressInProgress()) return CViewContainer::onMouseMoved(where, buttons);
  CView* target = modalView ? modalView : (hoverChain.empty() ? nullptr : hoverChain.back());
  if (!target) return kMouseEventNotHandled;
  CPoint p = where;
  target->frameToLocal(p);
  target->remember();
  const CMouseEventResult result = target->onMouseMoved(p, buttons);
  target->forget();
  return result;
}

CMouseEventResult CFrame::onMouseExited(CPoint&, const CButtonState& buttons) {
  if (!pressInProgress()) clearHover(buttons);
  return kMouseEventHandled;
}

bool CFrame::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) {
  if (pressInProgress()) return false;
  if (modalView) {
    if (!modalView->isVisible() || !modalView->getMouseableArea().pointInside(where)) return false;
    return modalView->onWheel(where, distance, buttons);
  }
  return CViewContainer::onWheel(where, distance, buttons);
}

int32_t CFrame::onKeyDown(VstKeyCode& keyCode) {
  for (CView* v = focusView; v && v != this; v = v->getParentView()) {
    const int32_t result = v->onKeyDown(keyCode);
    if (result != -1) return result;
  }
  return modalView ? modalView->onKeyDown(keyCode) : -1;
}

int32_t CFrame::onKeyUp(VstKeyCode& keyCode) {
  for (CView* v = focusView; v && v != this; v = v->getParentView()) {
    const int32_t result = v->onKeyUp(keyCode);
    if (result != -1) return result;
  }
  return modalView ? modalView->onKeyUp(keyCode) : -1;
}

bool CFrame::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CFrame") == 0 || CViewContainer::isTypeOf(type));
}

void CFrame::platformDrawRect(CDrawContext* context, const CRect& updateRect) {
  UIScope scope;
  context->resetState();
  context->setClipRect(updateRect);
  drawRect(context, updateRect);
}

CMouseEventResult CFrame::platformOnMouseDown(CPoint& where, const CButtonState& buttons) {
  FrameGuard guard(this);
  return onMouseDown(where, buttons);
}

CMouseEventResult CFrame::platformOnMouseMoved(CPoint& where, const CButtonState& buttons) {
  FrameGuard guard(this);
  return onMouseMoved(where, buttons);
}

CMouseEventResult CFrame::platformOnMouseUp(CPoint& where, const CButtonState& buttons) {
  FrameGuard guard(this);
  return onMouseUp(where, buttons);
}

CMouseEventResult CFrame::platformOnMouseExited(CPoint& where, const CButtonState& buttons) {
  FrameGuard guard(this);
  return onMouseExited(where, buttons);
}

bool CFrame::platformOnMouseWheel(const CPoint& where, float distance, const CButtonState& buttons) {
  FrameGuard guard(this);
  return onWheel(where, distance, buttons);
}

int32_t CFrame::platformOnKeyDown(VstKeyCode& key) {
  FrameGuard guard(this);
  return onKeyDown(key);
}

int32_t CFrame::platformOnKeyUp(VstKeyCode& key) {
  FrameGuard guard(this);
  return onKeyUp(key);
}

void CFrame::onViewRemoved(CView* view) {
  if (view == this) return;
  if (focusView == view) setFocusView(nullptr);
  if (modalView == view) modalView = nullptr;
  auto at = std::find(hoverChain.begin(), hoverChain.end(), view);
  if (at != hoverChain.end()) {
    hoverChain.erase(at);
    view->forget();
  }
}

void CFrame::updateHover(const CPoint& where, const CButtonState& buttons) {
  std::vector<CView*> chain;
  const CViewContainer* container = this;
  CPoint p = where;
  if (modalView) {
    if (modalView->isVisible() && modalView->getMouseEnabled() && modalView->getMouseableArea().pointInside(p)) {
      chain.push_back(modalView);
    }
    container = dynamic_cast<CViewContainer*>(modalView);
    if (chain.empty()) container = nullptr;
  }
  while (container) {
    CView* hit = container->getViewAt(p, false, true);
    if (!hit) break;
    chain.push_back(hit);
    p = CPoint(p.x - container->getViewSize().left, p.y - container->getViewSize().top);
    container = dynamic_cast<CViewContainer*>(hit);
  }
  // Leave the views no longer under the pointer, deepest first.
  for (auto it = hoverChain.rbegin(); it != hoverChain.rend(); ++it) {
    CView* v = *it;
    if (std::find(chain.begin(), chain.end(), v) != chain.end()) continue;
    CPoint local = where;
    v->frameToLocal(local);
    v->onMouseExited(local, buttons);
  }
  for (CView* v : chain) {
    if (std::find(hoverChain.begin(), hoverChain.end(), v) != hoverChain.end()) continue;
    CPoint local = where;
    v->frameToLocal(local);
    v->onMouseEntered(local, buttons);
  }
  for (CView* v : chain) v->remember();
  for (CView* v : hoverChain) v->forget();
  hoverChain = std::move(chain);
}

void CFrame::clearHover(const CButtonState& buttons) {
  std::vector<CView*> chain;
  chain.swap(hoverChain);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    CPoint where;
    (*it)->onMouseExited(where, buttons);
  }
  for (CView* v : chain) v->forget();
}

}  // namespace VSTGUI
