#include "win32drawcontext.h"

#include <algorithm>
#include <cmath>

#include "cbitmap.h"
#include "win32bitmap.h"

namespace VSTGUI::win32 {

namespace {
Gdiplus::RectF rectF(const CRect& r) {
  return Gdiplus::RectF(static_cast<Gdiplus::REAL>(r.left), static_cast<Gdiplus::REAL>(r.top),
                        static_cast<Gdiplus::REAL>(r.getWidth()), static_cast<Gdiplus::REAL>(r.getHeight()));
}

BYTE scaledAlpha(uint8_t alpha, float global) {
  return static_cast<BYTE>(std::lround(alpha * std::clamp(global, 0.f, 1.f)));
}
}  // namespace

std::wstring wide(const char* text) {
  if (!text || !*text) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 1) return {};
  std::wstring converted(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, converted.data(), length);
  converted.resize(static_cast<size_t>(length - 1));
  return converted;
}

Win32DrawContext::Win32DrawContext(Gdiplus::Bitmap* surface)
    : CDrawContext(CRect(0, 0, surface->GetWidth(), surface->GetHeight())),
      graphics(surface),
      format(Gdiplus::StringFormat::GenericTypographic()->Clone()) {
  // No padding around the text; trailing spaces count.
  format->SetFormatFlags(format->GetFormatFlags() | Gdiplus::StringFormatFlagsMeasureTrailingSpaces |
                         Gdiplus::StringFormatFlagsNoWrap);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  graphics.SetPageUnit(Gdiplus::UnitPixel);
}

Gdiplus::Color Win32DrawContext::color(const CColor& c) const {
  return Gdiplus::Color(scaledAlpha(c.alpha, state.globalAlpha), c.red, c.green, c.blue);
}

void Win32DrawContext::prepare(bool antialias) {
  graphics.SetClip(rectF(windowClip()));
  graphics.SetSmoothingMode(antialias ? Gdiplus::SmoothingModeAntiAlias : Gdiplus::SmoothingModeNone);
  graphics.SetCompositingMode(Gdiplus::CompositingModeSourceOver);
}

void Win32DrawContext::drawLine(const CPoint& start, const CPoint& end) {
  if (state.lineWidth <= 0) return;
  prepare(state.drawMode == kAntiAliasing);
  const bool odd = static_cast<long>(std::lround(state.lineWidth)) % 2 == 1;
  const double half = odd ? 0.5 : 0.0;
  CPoint a(start.x + state.origin.x, start.y + state.origin.y);
  CPoint b(end.x + state.origin.x, end.y + state.origin.y);
  if (state.drawMode == kAliasing) {
    a = CPoint(std::floor(a.x), std::floor(a.y));
    b = CPoint(std::floor(b.x), std::floor(b.y));
  }
  Gdiplus::Pen pen(color(state.frameColor), static_cast<Gdiplus::REAL>(state.lineWidth));
  pen.SetStartCap(Gdiplus::LineCapSquare);
  pen.SetEndCap(Gdiplus::LineCapSquare);
  graphics.DrawLine(&pen, static_cast<Gdiplus::REAL>(a.x + half), static_cast<Gdiplus::REAL>(a.y + half),
                    static_cast<Gdiplus::REAL>(b.x + half), static_cast<Gdiplus::REAL>(b.y + half));
}

void Win32DrawContext::shape(const CRect& rect, CDrawStyle drawStyle, bool ellipse) {
  prepare(state.drawMode == kAntiAliasing);
  const CRect r = toWindow(rect);
  const CCoord width = state.lineWidth;
  CRect path = r;
  path.inset(width / 2, width / 2);
  // A stroke thicker than the shape is all edge: fill it in the frame colour.
  const bool allEdge = drawStyle != kDrawFilled && width > 0 && (path.getWidth() < 0 || path.getHeight() < 0);
  if (drawStyle != kDrawStroked || allEdge) {
    Gdiplus::SolidBrush brush(color(allEdge ? state.frameColor : state.fillColor));
    ellipse ? graphics.FillEllipse(&brush, rectF(r)) : graphics.FillRectangle(&brush, rectF(r));
  }
  if (drawStyle == kDrawFilled || width <= 0 || allEdge) return;
  Gdiplus::Pen pen(color(state.frameColor), static_cast<Gdiplus::REAL>(width));
  pen.SetLineJoin(Gdiplus::LineJoinMiter);
  ellipse ? graphics.DrawEllipse(&pen, rectF(path)) : graphics.DrawRectangle(&pen, rectF(path));
}

void Win32DrawContext::drawRect(const CRect& rect, const CDrawStyle drawStyle) { shape(rect, drawStyle, false); }

void Win32DrawContext::drawEllipse(const CRect& rect, const CDrawStyle drawStyle) { shape(rect, drawStyle, true); }

void Win32DrawContext::clearRect(const CRect& rect) {
  prepare(false);
  graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
  Gdiplus::SolidBrush clear(Gdiplus::Color(0, 0, 0, 0));
  graphics.FillRectangle(&clear, rectF(toWindow(rect)));
  graphics.SetCompositingMode(Gdiplus::CompositingModeSourceOver);
}

// The named family, else a metric-compatible or plain sans-serif face (a
// system without "Arial", such as a bare Wine prefix, has those), else null.
std::unique_ptr<Gdiplus::FontFamily> Win32DrawContext::findFamily(const std::string& name) {
  const std::wstring wanted = wide(name.c_str());
  for (const wchar_t* candidate : {wanted.c_str(), L"Liberation Sans", L"DejaVu Sans", L"Tahoma"}) {
    if (!*candidate) continue;
    auto found = std::make_unique<Gdiplus::FontFamily>(candidate);
    if (found->GetLastStatus() == Gdiplus::Ok && found->IsAvailable()) return found;
  }
  const Gdiplus::FontFamily* generic = Gdiplus::FontFamily::GenericSansSerif();
  if (generic && generic->GetLastStatus() == Gdiplus::Ok) {
    std::unique_ptr<Gdiplus::FontFamily> copy(generic->Clone());
    if (copy && copy->GetLastStatus() == Gdiplus::Ok) return copy;
  }
  return nullptr;
}

Gdiplus::Font* Win32DrawContext::font() {
  const std::string key = state.fontName + '/' + std::to_string(state.fontSize) + '/' + std::to_string(state.fontStyle);
  if (key == fontKey) return currentFont.get();
  fontKey = key;
  currentFont.reset();
  family = findFamily(state.fontName);
  if (!family) return nullptr;
  INT style = Gdiplus::FontStyleRegular;
  if (state.fontStyle & kBoldFace) style |= Gdiplus::FontStyleBold;
  if (state.fontStyle & kItalicFace) style |= Gdiplus::FontStyleItalic;
  if (state.fontStyle & kUnderlineFace) style |= Gdiplus::FontStyleUnderline;
  currentFont = std::make_unique<Gdiplus::Font>(family.get(), static_cast<Gdiplus::REAL>(state.fontSize), style,
                                                Gdiplus::UnitPixel);
  if (currentFont->GetLastStatus() != Gdiplus::Ok) currentFont.reset();
  return currentFont.get();
}

bool Win32DrawContext::fontMetrics(CCoord& ascent, CCoord& lineHeight) {
  Gdiplus::Font* current = font();
  if (!current) return false;
  const INT style = current->GetStyle();
  const double em = family->GetEmHeight(style);
  if (em <= 0) {
    ascent = lineHeight = state.fontSize;
    return true;
  }
  ascent = state.fontSize * family->GetCellAscent(style) / em;
  lineHeight = ascent + state.fontSize * family->GetCellDescent(style) / em;
  return true;
}

CCoord Win32DrawContext::getStringWidth(const char* string) {
  const std::wstring text = wide(string);
  Gdiplus::Font* current = font();
  if (text.empty() || !current) return 0;
  Gdiplus::RectF bounds;
  graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), current, Gdiplus::PointF(0, 0), format.get(),
                         &bounds);
  return bounds.Width;
}

// `point` is on the baseline; GDI+ places the top of the text line.
void Win32DrawContext::drawString(const char* string, const CPoint& point, bool antialias) {
  const std::wstring text = wide(string);
  CCoord ascent = 0, lineHeight = 0;
  if (text.empty() || !fontMetrics(ascent, lineHeight)) return;
  prepare(antialias);
  graphics.SetTextRenderingHint(antialias ? Gdiplus::TextRenderingHintAntiAlias
                                          : Gdiplus::TextRenderingHintSingleBitPerPixelGridFit);
  Gdiplus::SolidBrush brush(color(state.fontColor));
  const Gdiplus::PointF at(static_cast<Gdiplus::REAL>(std::round(point.x + state.origin.x)),
                           static_cast<Gdiplus::REAL>(std::round(point.y + state.origin.y) - ascent));
  graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), font(), at, format.get(), &brush);
}

void Win32DrawContext::drawString(const char* string, const CRect& rect, const CHoriTxtAlign hAlign, bool antialias) {
  if (!string || !*string) return;
  CCoord ascent = 0, lineHeight = 0;
  if (!fontMetrics(ascent, lineHeight)) return;
  drawString(string, textStart(rect, hAlign, getStringWidth(string), ascent, lineHeight), antialias);
}

void Win32DrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha) {
  auto* image = bitmap ? dynamic_cast<Win32Bitmap*>(bitmap->getPlatformBitmap()) : nullptr;
  if (!image) return;
  CPoint imageOrigin;
  const CRect area = bitmapArea(dest, offset, image->getWidth(), image->getHeight(), imageOrigin);
  if (area.isEmpty()) return;
  prepare(false);
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
  const float opacity = std::clamp(alpha, 0.f, 1.f) * std::clamp(state.globalAlpha, 0.f, 1.f);
  Gdiplus::ImageAttributes attributes;
  Gdiplus::ImageAttributes* withAlpha = nullptr;
  if (opacity < 1.f) {
    Gdiplus::ColorMatrix matrix = {
        {{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 0, opacity, 0}, {0, 0, 0, 0, 1}}};
    attributes.SetColorMatrix(&matrix);
    withAlpha = &attributes;
  }
  graphics.DrawImage(image->get(), rectF(area), static_cast<Gdiplus::REAL>(area.left - imageOrigin.x),
                     static_cast<Gdiplus::REAL>(area.top - imageOrigin.y), static_cast<Gdiplus::REAL>(area.getWidth()),
                     static_cast<Gdiplus::REAL>(area.getHeight()), Gdiplus::UnitPixel, withAlpha);
}

}  // namespace VSTGUI::win32
