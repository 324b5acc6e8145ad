// The editor's drop-down box, with an active and an inactive text colour.
#pragma once

#include "cactinact.h"
#include "cdropdownlst.h"

namespace sorel {

class CDropdownLstAI : public CActInact, public CDropdownLst {
 public:
  CDropdownLstAI(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag, void* textPainter,
                 void* listTextPainter, int listOffsetX, int listGapY);

  void setActiveTextColor(VSTGUI::CColor color) { activeTextColor = color; }
  void setInactiveTextColor(VSTGUI::CColor color) { inactiveTextColor = color; }
  // The active or inactive colour becomes the text colour (box and list) and
  // the disabled text colour; the mouse follows the flag.
  void setActiveLook(bool active) override;
  bool isTypeOf(const char* type) const override;

 private:
  VSTGUI::CColor activeTextColor = VSTGUI::kWhiteCColor;
  VSTGUI::CColor inactiveTextColor{111, 0, 0, 255};
};

}  // namespace sorel
