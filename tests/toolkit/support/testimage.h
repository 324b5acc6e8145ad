// Images for the drawing tests: PNGs made on the spot from flat blocks of
// colour (so a single pixel tells which part of an image was drawn), and
// pixels read back from a cairo image surface.
#pragma once

#include <cairo.h>
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <vector>

#include "ccolor.h"
#include "platform/cairo/cairodrawcontext.h"

namespace sorel::test {

// The flat colours the drawing tests paint and look for.
constexpr VSTGUI::CColor kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255};
constexpr VSTGUI::CColor kYellow{255, 255, 0, 255}, kClear{0, 0, 0, 0};

// `rows` of blocks, each block `blockWidth` x `blockHeight` pixels of one
// colour (alpha included), encoded as PNG.
std::vector<unsigned char> blocksPNG(int blockWidth, int blockHeight,
                                     const std::vector<std::vector<VSTGUI::CColor>>& rows);

// `surface` encoded as PNG; the surface is destroyed.
std::vector<unsigned char> pngOf(cairo_surface_t* surface);

// The un-premultiplied colour of one pixel of an ARGB32 image surface.
VSTGUI::CColor pixelOf(cairo_surface_t* surface, int x, int y);

// The smallest rectangle holding every pixel whose alpha exceeds `threshold`;
// empty when there is none.
struct InkBox {
  int left = 0, top = 0, right = -1, bottom = -1;  // inclusive
  bool empty() const { return right < left; }
};
InkBox inkBox(cairo_surface_t* surface, uint8_t threshold = 64);
// The same over a width x height image whose inked pixels `inked` tells.
InkBox inkBox(int width, int height, const std::function<bool(int x, int y)>& inked);

// A pixel and the colour it should have.
struct Pixel {
  int x, y;
  VSTGUI::CColor colour;
};

// A transparent ARGB32 image with a cairo draw context drawing into it.
class ImageCanvas {
 public:
  ImageCanvas(int width, int height)
      : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
        context(new VSTGUI::CairoDrawContext(surface)) {}
  ~ImageCanvas() {
    context->forget();
    cairo_surface_destroy(surface);
  }
  ImageCanvas(const ImageCanvas&) = delete;
  ImageCanvas& operator=(const ImageCanvas&) = delete;
  VSTGUI::CColor at(int x, int y) const { return pixelOf(surface, x, y); }

  void expectPixels(std::initializer_list<Pixel> pixels) const {
    for (const Pixel& p : pixels) EXPECT_EQ(at(p.x, p.y), p.colour) << p.x << "," << p.y;
  }

  cairo_surface_t* surface;
  VSTGUI::CairoDrawContext* context;
};

}  // namespace sorel::test
