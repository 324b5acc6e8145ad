// The hint line: a text field with an active and an inactive font colour,
// whose mouse can be locked off so it never becomes clickable.
#pragma once

#include "cactinact.h"
#include "ckstexted.h"

namespace sorel {

class CTextEdAI : public CKstTextEd, public CActInact {
 public:
  CTextEdAI(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag, const char* text,
            VSTGUI::CBitmap* background);

  // Remembered as the active colour, then applied.
  void setFontColor(VSTGUI::CColor color) override;
  // Remembered only; alpha 0 means "none".
  void setInactiveFontColor(VSTGUI::CColor color) { inactiveColor = color; }
  void setActiveLook(bool active) override;
  // While locked, setMouseEnabled is ignored.
  void setMouseLock(bool state) { mouseLock = state; }
  void setMouseEnabled(bool enabled = true) override;
  bool isTypeOf(const char* type) const override;

 private:
  VSTGUI::CColor activeColor;
  VSTGUI::CColor inactiveColor{0, 0, 0, 0};
  bool mouseLock = false;
};

}  // namespace sorel
