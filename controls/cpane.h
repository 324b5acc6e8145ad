// A static picture: frames, captions, logos, separator strips, the mono badge.
#pragma once

#include "ccontrol.h"

namespace sorel {

class CPane : public VSTGUI::CControl {
 public:
  CPane(const VSTGUI::CRect& size, VSTGUI::CBitmap* bitmap);

  // A window-sized picture: the pane shows the part that lies under it.
  void setWindowAligned(bool state) { windowAligned = state; }

  void draw(VSTGUI::CDrawContext* context) override;
  bool isTypeOf(const char* type) const override;

 private:
  bool windowAligned = false;
};

}  // namespace sorel
