// A view holding views: the last child is topmost. Children's sizes are in
// the container's coordinates (its top-left is their origin).
#pragma once

#include <vector>

#include "ccolor.h"
#include "cview.h"

namespace VSTGUI {

class CViewContainer : public CView {
 public:
  explicit CViewContainer(const CRect& size);
  CViewContainer(const CRect& size, CFrame* frame, CBitmap* background = nullptr);
  ~CViewContainer() override;

  // Adopts the caller's reference. False when the view is already attached
  // or already a child.
  virtual bool addView(CView* view);
  virtual bool addView(CView* view, CView* before);
  // Invalidates, detaches, and forgets the view if asked.
  virtual bool removeView(CView* view, bool withForget = true);
  virtual bool removeAll(bool withForget = true);
  bool isChild(const CView* view) const;
  int32_t getNbViews() const { return static_cast<int32_t>(children.size()); }
  CView* getView(int32_t index) const;
  // The topmost visible child under `where` (parent coordinates), descending
  // into containers when `deep`.
  CView* getViewAt(const CPoint& where, bool deep = false, bool mustbeMouseEnabled = false) const;

  void setBackgroundColor(const CColor& color) {
    backgroundColor = color;
    setDirty();
  }

  void draw(CDrawContext* context) override;
  void drawRect(CDrawContext* context, const CRect& updateRect) override;
  virtual void drawBackgroundRect(CDrawContext* context, const CRect& localRect);

  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

  void invalid() override;
  // `rect` in this container's coordinates.
  void invalidRect(const CRect& rect) override;
  // Invalidates every visible dirty view below this container.
  void invalidateDirtyViews();

  bool attached(CView* parent) override;
  bool removed(CView* parent) override;
  bool isTypeOf(const char* type) const override;

 protected:
  CPoint toLocal(const CPoint& where) const { return CPoint(where.x - size.left, where.y - size.top); }
  // Hands a move or the release to the view that took the press.
  CMouseEventResult toMouseDownView(CPoint& where, const CButtonState& buttons,
                                    CMouseEventResult (CView::*handler)(CPoint&, const CButtonState&));

  std::vector<CView*> children;
  CView* mouseDownView = nullptr;
  CColor backgroundColor = kBlackCColor;
};

}  // namespace VSTGUI
