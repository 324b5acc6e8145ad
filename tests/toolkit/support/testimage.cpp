#include "testimage.h"

#include <algorithm>
#include <cstring>

namespace sorel::test {

namespace {
cairo_status_t append(void* closure, const unsigned char* data, unsigned int length) {
  auto* bytes = static_cast<std::vector<unsigned char>*>(closure);
  bytes->insert(bytes->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}
}  // namespace

std::vector<unsigned char> blocksPNG(int blockWidth, int blockHeight,
                                     const std::vector<std::vector<VSTGUI::CColor>>& rows) {
  const int columns = rows.empty() ? 0 : static_cast<int>(rows.front().size());
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, blockWidth * columns,
                                                        blockHeight * static_cast<int>(rows.size()));
  cairo_t* cr = cairo_create(surface);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    for (int column = 0; column < columns; ++column) {
      const VSTGUI::CColor& c = rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
      cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, c.alpha / 255.0);
      cairo_rectangle(cr, column * blockWidth, row * blockHeight, blockWidth, blockHeight);
      cairo_fill(cr);
    }
  }
  cairo_destroy(cr);
  return pngOf(surface);
}

std::vector<unsigned char> pngOf(cairo_surface_t* surface) {
  std::vector<unsigned char> png;
  cairo_surface_write_to_png_stream(surface, append, &png);
  cairo_surface_destroy(surface);
  return png;
}

VSTGUI::CColor pixelOf(cairo_surface_t* surface, int x, int y) {
  cairo_surface_flush(surface);
  const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
  uint32_t argb;
  std::memcpy(&argb, row + 4 * x, sizeof argb);
  const uint32_t a = argb >> 24;
  auto channel = [a](uint32_t v) { return static_cast<uint8_t>(a == 0 ? 0 : (v * 255 + a / 2) / a); };
  return VSTGUI::CColor{channel((argb >> 16) & 0xff), channel((argb >> 8) & 0xff), channel(argb & 0xff),
                        static_cast<uint8_t>(a)};
}

InkBox inkBox(cairo_surface_t* surface, uint8_t threshold) {
  return inkBox(cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface),
                [surface, threshold](int x, int y) { return pixelOf(surface, x, y).alpha > threshold; });
}

InkBox inkBox(int width, int height, const std::function<bool(int x, int y)>& inked) {
  InkBox box{width, height, -1, -1};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!inked(x, y)) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

}  // namespace sorel::test
