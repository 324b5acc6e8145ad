// A page of the editor. It remembers its parent, and can give one view (an
// open pop-up list) every mouse-down before the normal dispatch.
#pragma once

#include "cviewcontainer.h"

namespace sorel {

class CViewContainer1 : public VSTGUI::CViewContainer {
 public:
  CViewContainer1(const VSTGUI::CRect& size, VSTGUI::CFrame* frame, VSTGUI::CBitmap* background);

  void setMouseFirstView(VSTGUI::CView* view) { mouseFirst = view; }
  VSTGUI::CView* getMouseFirstView() const { return mouseFirst; }
  // Takes the page off its remembered parent without releasing it.
  void detachFromParent();

  VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
  bool attached(VSTGUI::CView* parent) override;
  bool removed(VSTGUI::CView* parent) override;
  bool isTypeOf(const char* type) const override;

 private:
  VSTGUI::CView* parent = nullptr;
  VSTGUI::CView* mouseFirst = nullptr;
};

}  // namespace sorel
