#include "cdropdownlstai.h"

#include <cstring>

namespace sorel {

using namespace VSTGUI;

CDropdownLstAI::CDropdownLstAI(const CRect& rect, CControlListener* l, int32_t t, void* textPainter,
                               void* listTextPainter, int listOffsetX, int listGapY)
    : CDropdownLst(rect, l, t, textPainter, listTextPainter, listOffsetX, listGapY) {}

void CDropdownLstAI::setActiveLook(bool isActive) {
  const CColor color = isActive ? activeTextColor : inactiveTextColor;
  setTextColor(color);
  setDisabledTextColor(color);
  setMouseEnabled(isActive);
  invalid();
}

bool CDropdownLstAI::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CDropdownLstAI") == 0 || CDropdownLst::isTypeOf(type));
}

}  // namespace sorel
