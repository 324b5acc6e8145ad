// The base of every view: a rectangle in its parent's coordinates, flags, a
// background bitmap, the dirty flag and the default event handlers.
#pragma once

#include <atomic>

#include "aeffect.h"
#include "cbaseobject.h"
#include "cbuttonstate.h"
#include "crect.h"

namespace VSTGUI {

class CBitmap;
class CDrawContext;
class CFrame;

class CView : public CBaseObject {
 public:
  explicit CView(const CRect& size);
  ~CView() override;

  // --- Geometry (parent coordinates) ---
  // Does not move the mouseable area.
  virtual void setViewSize(const CRect& rect, bool invalid = true);
  const CRect& getViewSize() const { return size; }
  CRect& getViewSize(CRect& rect) const { return rect = size; }
  CCoord getWidth() const { return size.getWidth(); }
  CCoord getHeight() const { return size.getHeight(); }
  virtual void setMouseableArea(const CRect& rect) { mouseableArea = rect; }
  const CRect& getMouseableArea() const { return mouseableArea; }
  CRect& getMouseableArea(CRect& rect) const { return rect = mouseableArea; }
  // From this view's parent coordinates to window coordinates and back.
  CPoint& localToFrame(CPoint& point) const;
  CPoint& frameToLocal(CPoint& point) const;

  // --- Tree ---
  virtual bool attached(CView* parent);
  virtual bool removed(CView* parent);
  bool isAttached() const { return attachedFlag; }
  CView* getParentView() const { return parentView; }
  CFrame* getFrame() const { return parentFrame; }

  // --- Flags ---
  virtual void setMouseEnabled(bool enabled = true) { mouseEnabled = enabled; }
  bool getMouseEnabled() const { return mouseEnabled; }
  virtual void setVisible(bool state);
  // Needs the visible flag and an alpha above zero.
  bool isVisible() const { return visible && alphaValue > 0.f; }
  virtual void setAlphaValue(float alpha);
  float getAlphaValue() const { return alphaValue; }
  virtual void setTransparency(bool state) { transparent = state; }
  bool getTransparency() const { return transparent; }
  void setWantsFocus(bool state) { focusWanted = state; }
  bool wantsFocus() const { return focusWanted; }
  virtual void takeFocus() {}
  virtual void looseFocus() {}

  // --- Background ---
  virtual void setBackground(CBitmap* background);
  CBitmap* getBackground() const { return backgroundBitmap; }

  // --- Dirty and invalid ---
  // Any thread: only sets the flag.
  virtual void setDirty(bool state = true) { dirty.store(state, std::memory_order_relaxed); }
  virtual bool isDirty() const { return dirty.load(std::memory_order_relaxed); }
  // Clears the flag and asks for a repaint of the view's rectangle while it is
  // attached and visible. Off the UI thread it only marks the view dirty.
  virtual void invalid();
  virtual void invalidRect(const CRect& rect);

  // --- Drawing ---
  // Paints the background bitmap.
  virtual void draw(CDrawContext* context);
  virtual void drawRect(CDrawContext* context, const CRect& updateRect);

  // --- Events (where: parent coordinates) ---
  virtual bool hitTest(const CPoint& where, const CButtonState& buttons = -1);
  virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
  virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
  virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
  virtual CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons);
  virtual CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons);
  virtual bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons);
  // -1: not handled.
  virtual int32_t onKeyDown(VstKeyCode& keyCode);
  virtual int32_t onKeyUp(VstKeyCode& keyCode);

  bool isTypeOf(const char* type) const override;

 protected:
  CRect size;
  CRect mouseableArea;

 private:
  CView* parentView = nullptr;
  CFrame* parentFrame = nullptr;
  CBitmap* backgroundBitmap = nullptr;
  bool attachedFlag = false;
  bool mouseEnabled = true;
  bool visible = true;
  bool transparent = false;
  bool focusWanted = false;
  float alphaValue = 1.f;
  std::atomic<bool> dirty{false};

  friend class CViewContainer;
  friend class CFrame;
};

}  // namespace VSTGUI
