#include "cdrawcontext.h"

#include <cmath>

namespace VSTGUI {

CDrawContext::CDrawContext(const CRect& surface) : surfaceRect(surface) { resetState(); }

void CDrawContext::resetState() {
  state.fillColor = kBlackCColor;
  state.frameColor = kWhiteCColor;
  state.fontColor = kWhiteCColor;
  state.fontName = kSystemFont->getName();
  state.fontSize = kSystemFont->getSize();
  state.fontStyle = kSystemFont->getStyle();
  state.lineWidth = 1;
  state.drawMode = kAliasing;
  state.globalAlpha = 1;
  state.clip = surfaceRect;
  state.origin = {};
  saved.clear();
  translations.clear();
}

void CDrawContext::setFont(const CFontRef font, const CCoord& size, const int32_t& style) {
  if (!font) return;
  state.fontName = font->getName();
  state.fontSize = size > 0 ? size : font->getSize();
  state.fontStyle = style >= 0 ? style : font->getStyle();
}

void CDrawContext::setClipRect(const CRect& clip) {
  CRect inWindow = clip;
  inWindow.offset(state.origin.x, state.origin.y);
  state.clip = inWindow.bound(surfaceRect);
}

CRect& CDrawContext::getClipRect(CRect& clip) const {
  clip = state.clip;
  clip.offset(-state.origin.x, -state.origin.y);
  return clip;
}

CRect CDrawContext::windowClip() const { return state.clip; }

void CDrawContext::saveGlobalState() { saved.push_back(state); }

void CDrawContext::restoreGlobalState() {
  if (saved.empty()) return;
  const CPoint origin = state.origin;  // translations have their own stack
  state = saved.back();
  state.origin = origin;
  saved.pop_back();
}

void CDrawContext::pushTranslation(const CPoint& by) {
  translations.push_back(state.origin);
  state.origin.offset(by.x, by.y);
}

void CDrawContext::popTranslation() {
  if (translations.empty()) return;
  state.origin = translations.back();
  translations.pop_back();
}

CPoint CDrawContext::textStart(const CRect& rect, CHoriTxtAlign hAlign, CCoord width, CCoord ascent,
                               CCoord lineHeight) const {
  CCoord x = rect.left;
  if (hAlign == kRightText) {
    x = rect.right - width;
  } else if (hAlign == kCenterText) {
    x = rect.left + (rect.getWidth() - width) / 2;
  }
  const CCoord lineTop = rect.bottom - (rect.getHeight() / 2 - state.fontSize / 2) - lineHeight;
  return CPoint(x, lineTop + ascent);
}

CRect CDrawContext::bitmapArea(const CRect& dest, const CPoint& offset, CCoord width, CCoord height,
                               CPoint& imageOrigin) const {
  const CRect target = toWindow(dest);
  imageOrigin = CPoint(target.left - offset.x, target.top - offset.y);
  CRect area(imageOrigin.x, imageOrigin.y, imageOrigin.x + width, imageOrigin.y + height);
  return area.bound(target);
}

}  // namespace VSTGUI
