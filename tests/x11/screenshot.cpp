// Grabbing a window's pixels into a PNG file.
#include "screenshot.h"

#include <X11/Xutil.h>
#include <cairo.h>

#include <cstdint>

namespace sorel::testing {

namespace {
int shiftOf(unsigned long mask) {
  int shift = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

}  // namespace

bool writeImagePNG(XImage* image, int width, int height, const char* path) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const int r = shiftOf(image->red_mask), g = shiftOf(image->green_mask), b = shiftOf(image->blue_mask);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      const auto red = static_cast<uint32_t>((p & image->red_mask) >> r) & 0xff;
      const auto green = static_cast<uint32_t>((p & image->green_mask) >> g) & 0xff;
      const auto blue = static_cast<uint32_t>((p & image->blue_mask) >> b) & 0xff;
      row[x] = 0xff000000u | red << 16 | green << 8 | blue;
    }
  }
  cairo_surface_mark_dirty(surface);
  const bool written = cairo_surface_write_to_png(surface, path) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}

bool writeWindowPNG(Display* display, Window window, int width, int height, const char* path) {
  XImage* image =
      XGetImage(display, window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (!image) return false;
  const bool written = writeImagePNG(image, width, height, path);
  XDestroyImage(image);
  return written;
}

}  // namespace sorel::testing
