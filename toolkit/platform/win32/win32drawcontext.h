// CDrawContext on a GDI+ surface (the frame's back buffer). Pixel centres
// sit at +0.5, as on the other back-ends: a filled rect covers exactly its
// pixels, a 1-px line at y covers row y.
#pragma once

// windows.h first: the other system headers need its types.
// clang-format off
#include <windows.h>
#include <gdiplus.h>
// clang-format on

#include <memory>
#include <string>

#include "cdrawcontext.h"

namespace VSTGUI::win32 {

class Win32DrawContext : public CDrawContext {
 public:
  explicit Win32DrawContext(Gdiplus::Bitmap* surface);

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
  // Clip and smoothing for the next primitive.
  void prepare(bool antialias);
  void shape(const CRect& rect, CDrawStyle drawStyle, bool ellipse);
  Gdiplus::Color color(const CColor& c) const;
  static std::unique_ptr<Gdiplus::FontFamily> findFamily(const std::string& name);
  // The font the state names (cached while it stays the same); null when no
  // face can be found.
  Gdiplus::Font* font();
  // Ascent and ascent + descent of the current font, in pixels.
  bool fontMetrics(CCoord& ascent, CCoord& lineHeight);

  Gdiplus::Graphics graphics;
  std::unique_ptr<Gdiplus::StringFormat> format;
  std::unique_ptr<Gdiplus::FontFamily> family;
  std::unique_ptr<Gdiplus::Font> currentFont;
  std::string fontKey;
};

// The text as wide characters (the product's strings are in the ANSI code page).
std::wstring wide(const char* text);

}  // namespace VSTGUI::win32
