#include "cairodrawcontext.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "cairobitmap.h"
#include "cbitmap.h"

namespace VSTGUI {

namespace {
double channel(uint8_t value) { return value / 255.0; }

// cairo takes UTF-8 only, and an invalid string would stop the context from
// drawing anything more. Text that is not UTF-8 is read as Latin-1, the way
// the Windows product's code page shows it.
bool validUTF8(const unsigned char* s) {
  while (*s) {
    const int extra = *s < 0x80 ? 0 : (*s >> 5) == 0x6 ? 1 : (*s >> 4) == 0xe ? 2 : (*s >> 3) == 0x1e ? 3 : -1;
    if (extra < 0) return false;
    ++s;
    for (int i = 0; i < extra; ++i, ++s) {
      if ((*s >> 6) != 0x2) return false;
    }
  }
  return true;
}

std::string utf8(const char* text) {
  if (validUTF8(reinterpret_cast<const unsigned char*>(text))) return text;
  std::string converted;
  for (const char* c = text; *c; ++c) {
    const auto byte = static_cast<unsigned char>(*c);
    if (byte < 0x80) {
      converted += *c;
    } else {
      converted += static_cast<char>(0xc0 | (byte >> 6));
      converted += static_cast<char>(0x80 | (byte & 0x3f));
    }
  }
  return converted;
}

void addRect(cairo_t* cr, const CRect& r) { cairo_rectangle(cr, r.left, r.top, r.getWidth(), r.getHeight()); }

void addEllipse(cairo_t* cr, const CRect& r) {
  if (r.isEmpty()) return;
  cairo_save(cr);
  cairo_translate(cr, r.left + r.getWidth() / 2, r.top + r.getHeight() / 2);
  cairo_scale(cr, r.getWidth() / 2, r.getHeight() / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
  cairo_restore(cr);
}
}  // namespace

class CairoDrawContext::Primitive {
 public:
  Primitive(CairoDrawContext& owner, bool antialias) : cr(owner.cr) {
    cairo_save(cr);
    const CRect clip = owner.windowClip();
    addRect(cr, clip);
    cairo_clip(cr);
    cairo_set_antialias(cr, antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
  }
  ~Primitive() { cairo_restore(cr); }
  Primitive(const Primitive&) = delete;
  Primitive& operator=(const Primitive&) = delete;

 private:
  cairo_t* cr;
};

CairoDrawContext::CairoDrawContext(cairo_surface_t* surface)
    : CDrawContext(surfaceRectOf(surface)), cr(cairo_create(surface)) {}

CairoDrawContext::~CairoDrawContext() { cairo_destroy(cr); }

CRect CairoDrawContext::surfaceRectOf(cairo_surface_t* surface) {
  return CRect(0, 0, cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface));
}

void CairoDrawContext::setSource(const CColor& color) {
  cairo_set_source_rgba(cr, channel(color.red), channel(color.green), channel(color.blue),
                        channel(color.alpha) * std::clamp(state.globalAlpha, 0.f, 1.f));
}

void CairoDrawContext::drawLine(const CPoint& start, const CPoint& end) {
  if (state.lineWidth <= 0) return;
  Primitive primitive(*this, state.drawMode == kAntiAliasing);
  // Pixel centres: a line of odd width at y covers row y (and the rows around
  // it), the end points included, in either draw mode.
  const bool odd = static_cast<long>(std::lround(state.lineWidth)) % 2 == 1;
  const double half = odd ? 0.5 : 0.0;
  CPoint a = toWindow(start);
  CPoint b = toWindow(end);
  if (state.drawMode == kAliasing) {
    a = CPoint(std::floor(a.x), std::floor(a.y));
    b = CPoint(std::floor(b.x), std::floor(b.y));
  }
  cairo_move_to(cr, a.x + half, a.y + half);
  cairo_line_to(cr, b.x + half, b.y + half);
  cairo_set_line_width(cr, state.lineWidth);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
  setSource(state.frameColor);
  cairo_stroke(cr);
}

void CairoDrawContext::fillShape(const CRect& windowRect, bool ellipse) {
  ellipse ? addEllipse(cr, windowRect) : addRect(cr, windowRect);
  setSource(state.fillColor);
  cairo_fill(cr);
}

void CairoDrawContext::strokeInside(const CRect& windowRect, bool ellipse) {
  const CCoord width = state.lineWidth;
  if (width <= 0) return;
  CRect path = windowRect;
  path.inset(width / 2, width / 2);
  if (path.getWidth() < 0 || path.getHeight() < 0) {
    fillShape(windowRect, ellipse);  // thicker than the shape: all of it is edge
    return;
  }
  ellipse ? addEllipse(cr, path) : addRect(cr, path);
  cairo_set_line_width(cr, width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  setSource(state.frameColor);
  cairo_stroke(cr);
}

void CairoDrawContext::drawRect(const CRect& rect, const CDrawStyle drawStyle) {
  Primitive primitive(*this, state.drawMode == kAntiAliasing);
  const CRect r = toWindow(rect);
  if (drawStyle != kDrawStroked) fillShape(r, false);
  if (drawStyle != kDrawFilled) strokeInside(r, false);
}

void CairoDrawContext::drawEllipse(const CRect& rect, const CDrawStyle drawStyle) {
  Primitive primitive(*this, state.drawMode == kAntiAliasing);
  const CRect r = toWindow(rect);
  if (drawStyle != kDrawStroked) fillShape(r, true);
  if (drawStyle != kDrawFilled) strokeInside(r, true);
}

void CairoDrawContext::clearRect(const CRect& rect) {
  Primitive primitive(*this, false);
  addRect(cr, toWindow(rect));
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_fill(cr);
}

void CairoDrawContext::selectFont(bool antialias) {
  const bool bold = (state.fontStyle & kBoldFace) != 0;
  const bool italic = (state.fontStyle & kItalicFace) != 0;
  cairo_select_font_face(cr, state.fontName.c_str(), italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, state.fontSize);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

CCoord CairoDrawContext::getStringWidth(const char* string) {
  if (!string || !*string) return 0;
  cairo_save(cr);
  selectFont(true);
  cairo_text_extents_t text;
  cairo_text_extents(cr, utf8(string).c_str(), &text);
  cairo_restore(cr);
  return text.x_advance;
}

void CairoDrawContext::drawString(const char* string, const CPoint& point, bool antialias) {
  if (!string || !*string) return;
  Primitive primitive(*this, antialias);
  selectFont(antialias);
  const CPoint at = toWindow(point);
  cairo_move_to(cr, std::round(at.x), std::round(at.y));
  setSource(state.fontColor);
  cairo_show_text(cr, utf8(string).c_str());
}

void CairoDrawContext::drawString(const char* string, const CRect& rect, const CHoriTxtAlign hAlign, bool antialias) {
  if (!string || !*string) return;
  cairo_save(cr);
  selectFont(antialias);
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  cairo_text_extents_t text;
  cairo_text_extents(cr, utf8(string).c_str(), &text);
  cairo_restore(cr);
  drawString(string, textStart(rect, hAlign, text.x_advance, font.ascent, font.ascent + font.descent), antialias);
}

void CairoDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha) {
  auto* image = bitmap ? dynamic_cast<CairoBitmap*>(bitmap->getPlatformBitmap()) : nullptr;
  cairo_surface_t* pixels = image ? image->getSurface() : nullptr;
  if (!pixels) return;
  CPoint imageOrigin;
  const CRect area = bitmapArea(dest, offset, image->getWidth(), image->getHeight(), imageOrigin);
  if (area.isEmpty()) return;

  Primitive primitive(*this, false);
  addRect(cr, area);
  cairo_clip(cr);
  cairo_set_source_surface(cr, pixels, imageOrigin.x, imageOrigin.y);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint_with_alpha(cr, std::clamp(alpha, 0.f, 1.f) * std::clamp(state.globalAlpha, 0.f, 1.f));
}

}  // namespace VSTGUI
