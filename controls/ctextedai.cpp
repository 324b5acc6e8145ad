#include "ctextedai.h"

#include <cstring>

namespace sorel {

using namespace VSTGUI;

CTextEdAI::CTextEdAI(const CRect& rect, CControlListener* l, int32_t t, const char* text, CBitmap* background)
    : CKstTextEd(rect, l, t, text, background), activeColor(getFontColor()) {}

void CTextEdAI::setFontColor(CColor color) {
  activeColor = color;
  CKstTextEd::setFontColor(color);
}

void CTextEdAI::setActiveLook(bool isActive) {
  if (isActive) {
    CKstTextEd::setFontColor(activeColor);
  } else if (inactiveColor.alpha != 0) {
    CKstTextEd::setFontColor(inactiveColor);
  }
}

void CTextEdAI::setMouseEnabled(bool enabled) {
  if (mouseLock) return;
  CKstTextEd::setMouseEnabled(enabled);
}

bool CTextEdAI::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CTextEdAI") == 0 || CKstTextEd::isTypeOf(type));
}

}  // namespace sorel
