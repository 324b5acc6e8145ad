#include "cviewcontainer1.h"

#include <cstring>

namespace sorel {

using namespace VSTGUI;

CViewContainer1::CViewContainer1(const CRect& rect, CFrame* frame, CBitmap* background)
    : CViewContainer(rect, frame, background) {
  setDirty(true);
}

bool CViewContainer1::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CViewContainer1") == 0 || CViewContainer::isTypeOf(type));
}

}  // namespace sorel
