#include "screengrab.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

#include <cstdint>

namespace sorel::testing {

namespace {
void writePNG(const std::vector<unsigned long>& pixels, int width, int height, const std::string& path) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < width; ++x) row[x] = static_cast<uint32_t>(pixels[static_cast<size_t>(y) * width + x]);
  }
  cairo_surface_mark_dirty(surface);
  cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
}
}  // namespace

// Xvfb's 24-bit visual keeps red, green and blue in bits 16, 8 and 0.
ScreenGrab::ScreenGrab(const Rect& r, const std::string& path) : width(r.width), height(r.height) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return;
  XImage* image = XGetImage(display, DefaultRootWindow(display), r.left, r.top, static_cast<unsigned>(r.width),
                            static_cast<unsigned>(r.height), AllPlanes, ZPixmap);
  if (image) {
    pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) pixels[static_cast<size_t>(y) * width + x] = XGetPixel(image, x, y) & 0xffffff;
    }
    XDestroyImage(image);
    writePNG(pixels, width, height, path);
  }
  XCloseDisplay(display);
}

ScreenGrab::Rgb ScreenGrab::at(int x, int y) const {
  const unsigned long p = pixels[static_cast<size_t>(y) * width + x];
  return Rgb{static_cast<int>((p >> 16) & 0xff), static_cast<int>((p >> 8) & 0xff), static_cast<int>(p & 0xff)};
}

}  // namespace sorel::testing
