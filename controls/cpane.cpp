#include "cpane.h"

#include <cstring>

#include "cbitmap.h"

namespace sorel {

using namespace VSTGUI;

CPane::CPane(const CRect& rect, CBitmap* bitmap) : CControl(rect, nullptr, -1, bitmap) {}

void CPane::draw(CDrawContext* context) {
  if (CBitmap* bitmap = getBackground()) {
    const CPoint offset = windowAligned ? CPoint(size.left, size.top) : CPoint(0, 0);
    bitmap->draw(context, size, offset, 1.f);
  }
  setDirty(false);
}

bool CPane::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CPane") == 0 || CControl::isTypeOf(type));
}

}  // namespace sorel
