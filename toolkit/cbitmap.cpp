#include "cbitmap.h"

#include "cdrawcontext.h"
#include "platform/iplatform.h"

namespace VSTGUI {

CBitmap::CBitmap(const CResourceDescription& description)
    : platformBitmap(loadPlatformBitmap(description.lookupName().c_str())) {}

CBitmap::~CBitmap() {
  if (platformBitmap) platformBitmap->forget();
}

CCoord CBitmap::getWidth() const { return platformBitmap ? platformBitmap->getWidth() : 0; }

CCoord CBitmap::getHeight() const { return platformBitmap ? platformBitmap->getHeight() : 0; }

bool CBitmap::isDecoded() const { return !platformBitmap || platformBitmap->isDecoded(); }

void CBitmap::decode() const {
  if (platformBitmap) platformBitmap->decode();
}

void CBitmap::draw(CDrawContext* context, const CRect& dest, const CPoint& offset, float alpha) {
  if (context && platformBitmap) context->drawBitmap(this, dest, offset, alpha);
}

}  // namespace VSTGUI
