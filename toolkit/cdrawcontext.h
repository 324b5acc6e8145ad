// Drawing state and primitives. The state (colours, font, line width, draw
// mode, global alpha, clip, origin) lives here; the back-end draws.
// Coordinates given to the primitives are local: the current origin (the sum
// of the containers' translations) is added by the context.
#pragma once

#include <string>
#include <vector>

#include "cbaseobject.h"
#include "cbuttonstate.h"
#include "ccolor.h"
#include "cfont.h"
#include "crect.h"

namespace VSTGUI {

class CBitmap;

class CDrawContext : public CBaseObject {
 public:
  // `surface` is the whole drawing surface in window coordinates.
  explicit CDrawContext(const CRect& surface);

  // The state a paint pass starts with: frame white, fill black, font colour
  // white, the system font, line width 1, aliasing, alpha 1, no clip, origin 0.
  void resetState();

  void setFillColor(const CColor& color) { state.fillColor = color; }
  void setFrameColor(const CColor& color) { state.frameColor = color; }
  void setFontColor(const CColor& color) { state.fontColor = color; }
  CColor getFontColor() const { return state.fontColor; }
  // size 0 keeps the font's size; style -1 keeps its style.
  void setFont(const CFontRef font, const CCoord& size = 0, const int32_t& style = -1);
  CCoord getFontSize() const { return state.fontSize; }
  void setLineWidth(CCoord width) { state.lineWidth = width; }
  void setDrawMode(CDrawMode mode) { state.drawMode = mode; }
  void setGlobalAlpha(float alpha) { state.globalAlpha = alpha; }
  float getGlobalAlpha() const { return state.globalAlpha; }

  // Clip, in local coordinates (bounded by the surface). It replaces the
  // current clip; saveGlobalState/restoreGlobalState bring the old one back.
  void setClipRect(const CRect& clip);
  CRect& getClipRect(CRect& clip) const;

  // Every piece of state above, on a stack.
  void saveGlobalState();
  void restoreGlobalState();

  // Origin of the local coordinates in window coordinates.
  void pushTranslation(const CPoint& by);
  void popTranslation();
  CPoint getOffset() const { return state.origin; }

  // --- Primitives ---
  virtual void drawLine(const CPoint& start, const CPoint& end) = 0;
  // Filled: exactly the rect. Stroked: on the rect's inner edge pixels.
  virtual void drawRect(const CRect& rect, const CDrawStyle drawStyle = kDrawStroked) = 0;
  virtual void drawEllipse(const CRect& rect, const CDrawStyle drawStyle = kDrawStroked) = 0;
  // Makes the rect fully transparent.
  virtual void clearRect(const CRect& rect) = 0;
  virtual void drawString(const char* string, const CRect& rect, const CHoriTxtAlign hAlign = kCenterText,
                          bool antialias = true) = 0;
  // The baseline starts at `point`.
  virtual void drawString(const char* string, const CPoint& point, bool antialias = true) = 0;
  virtual CCoord getStringWidth(const char* string) = 0;
  // Paints the part of `bitmap` starting at `offset` into `dest`, clipped to
  // both, with `alpha` times the global alpha.
  virtual void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha) = 0;

  // Where the baseline of a line of text `width` wide starts in `rect`, for a
  // font of `ascent` and `lineHeight`; the same in every back-end.
  CPoint textStart(const CRect& rect, CHoriTxtAlign hAlign, CCoord width, CCoord ascent, CCoord lineHeight) const;
  // The surface and the current clip, in window coordinates.
  CRect windowClip() const;

 protected:
  struct State {
    CColor fillColor;
    CColor frameColor;
    CColor fontColor;
    std::string fontName;
    CCoord fontSize = 12;
    int32_t fontStyle = 0;
    CCoord lineWidth = 1;
    CDrawMode drawMode = kAliasing;
    float globalAlpha = 1;
    CRect clip;     // window coordinates
    CPoint origin;  // window coordinates of local (0, 0)
  };
  State state;

  CRect toWindow(const CRect& rect) const { return CRect(rect).offset(state.origin.x, state.origin.y); }
  CPoint toWindow(const CPoint& point) const { return CPoint(point).offset(state.origin.x, state.origin.y); }
  // The window area a bitmap of `width` x `height` covers when drawn into
  // `dest` from `offset` (empty when none), and where its top left lands.
  CRect bitmapArea(const CRect& dest, const CPoint& offset, CCoord width, CCoord height, CPoint& imageOrigin) const;

 private:
  CRect surfaceRect;
  std::vector<State> saved;
  std::vector<CPoint> translations;
};

}  // namespace VSTGUI
