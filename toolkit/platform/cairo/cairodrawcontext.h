// The draw context of the Linux and off-screen back-ends: draws with cairo
// into an image surface (ARGB32) in window coordinates. Fonts come from
// cairo's simple font API, which asks fontconfig for the face ("Arial" finds
// the metric-compatible Liberation Sans).
#pragma once

#include <cairo.h>

#include "cdrawcontext.h"

namespace VSTGUI {

class CairoDrawContext : public CDrawContext {
 public:
  // Draws into `surface` (an image surface); keeps its own reference.
  explicit CairoDrawContext(cairo_surface_t* surface);
  ~CairoDrawContext() override;

  void drawLine(const CPoint& start, const CPoint& end) override;
  void drawRect(const CRect& rect, const CDrawStyle drawStyle = kDrawStroked) override;
  void drawEllipse(const CRect& rect, const CDrawStyle drawStyle = kDrawStroked) override;
  void clearRect(const CRect& rect) override;
  void drawString(const char* string, const CRect& rect, const CHoriTxtAlign hAlign = kCenterText,
                  bool antialias = true) override;
  void drawString(const char* string, const CPoint& point, bool antialias = true) override;
  CCoord getStringWidth(const char* string) override;
  void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha) override;

 private:
  // Saves cairo's state and applies the clip and the draw mode; restores on
  // destruction.
  class Primitive;

  static CRect surfaceRectOf(cairo_surface_t* surface);
  void setSource(const CColor& color);
  void selectFont(bool antialias);
  void strokeInside(const CRect& windowRect, bool ellipse);
  void fillShape(const CRect& windowRect, bool ellipse);

  cairo_t* cr;
};

}  // namespace VSTGUI
