#include "cparamdisplay.h"

#include <cstdio>
#include <cstring>

#include "cbitmap.h"
#include "cdrawcontext.h"

namespace VSTGUI {

CParamDisplay::CParamDisplay(const CRect& rect, CBitmap* background, int32_t style)
    : CControl(rect, nullptr, -1, background), fontID(kNormalFont), displayStyle(style) {
  fontID->remember();
  setTransparency(false);
}

CParamDisplay::~CParamDisplay() { fontID->forget(); }

void CParamDisplay::draw(CDrawContext* context) {
  drawBack(context);
  char text[32];
  std::snprintf(text, sizeof(text), "%.2f", static_cast<double>(getValue()));
  drawText(context, text);
  setDirty(false);
}

void CParamDisplay::drawBack(CDrawContext* context, CBitmap* newBack) {
  if (displayStyle & kNoDrawStyle) return;
  if (CBitmap* bitmap = newBack ? newBack : getBackground()) {
    bitmap->draw(context, size);
    return;
  }
  if (getTransparency()) return;
  context->setFillColor(backColor);
  context->drawRect(size, kDrawFilled);
  if (displayStyle & (k3DIn | k3DOut | kNoFrame)) return;
  context->setLineWidth(1);
  context->setFrameColor(frameColor);
  context->drawRect(size, kDrawStroked);
}

void CParamDisplay::drawText(CDrawContext* context, const char* text) { drawText(context, text, size); }

void CParamDisplay::drawText(CDrawContext* context, const char* text, const CRect& rect) {
  if (!text || !*text || (displayStyle & (kNoTextStyle | kNoDrawStyle))) return;
  CRect textRect = rect;
  textRect.inset(textInset.x, textInset.y);
  CRect clip;
  context->getClipRect(clip);
  clip.bound(textRect);
  if (clip.isEmpty()) return;
  context->saveGlobalState();
  context->setClipRect(clip);
  context->setFont(fontID);
  if (displayStyle & kShadowText) {
    CRect shadowRect = textRect;
    shadowRect.offset(1, 1);
    context->setFontColor(shadowColor);
    context->drawString(text, shadowRect, horiTxtAlign, antialias);
  }
  context->setFontColor(fontColor);
  context->drawString(text, textRect, horiTxtAlign, antialias);
  context->restoreGlobalState();
}

void CParamDisplay::setFont(CFontRef font) {
  if (!font || font == fontID) return;
  font->remember();
  fontID->forget();
  fontID = font;
  setDirty();
}

void CParamDisplay::setFontColor(CColor color) {
  fontColor = color;
  setDirty();
}

void CParamDisplay::setBackColor(CColor color) {
  backColor = color;
  setDirty();
}

void CParamDisplay::setFrameColor(CColor color) {
  frameColor = color;
  setDirty();
}

void CParamDisplay::setShadowColor(CColor color) {
  shadowColor = color;
  setDirty();
}

void CParamDisplay::setHoriAlign(CHoriTxtAlign align) {
  horiTxtAlign = align;
  setDirty();
}

void CParamDisplay::setTextInset(const CPoint& inset) {
  textInset = inset;
  setDirty();
}

void CParamDisplay::setAntialias(bool state) {
  antialias = state;
  setDirty();
}

void CParamDisplay::setStyle(int32_t style) {
  displayStyle = style;
  setDirty();
}

bool CParamDisplay::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CParamDisplay") == 0 || CControl::isTypeOf(type));
}

}  // namespace VSTGUI
