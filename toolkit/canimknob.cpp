#include "canimknob.h"

#include <cmath>
#include <cstring>

#include "cbitmap.h"

namespace VSTGUI {

CAnimKnob::CAnimKnob(const CRect& rect, CControlListener* l, int32_t t, int32_t subPixmaps, CCoord heightOfOneImage,
                     CBitmap* background, const CPoint& offset)
    : CKnob(rect, l, t, background, nullptr, offset) {
  setNumSubPixmaps(subPixmaps);
  setHeightOfOneImage(heightOfOneImage);
}

CPoint CAnimKnob::stripOffset() const {
  const float normalized = getValueNormalized();
  const CCoord frameHeight = getHeightOfOneImage();
  if (normalized < 0 || frameHeight <= 0 || getNumSubPixmaps() < 2) return CPoint(0, 0);
  const CCoord y = std::floor(normalized * (frameHeight * (getNumSubPixmaps() - 1)));
  return CPoint(0, std::floor(y / frameHeight) * frameHeight);
}

void CAnimKnob::draw(CDrawContext* context) {
  if (CBitmap* strip = getBackground()) strip->draw(context, size, stripOffset());
  setDirty(false);
}

bool CAnimKnob::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CAnimKnob") == 0 || CKnob::isTypeOf(type));
}

}  // namespace VSTGUI
