#include "screenshot.h"

#include <X11/Xutil.h>
#include <cairo.h>

#include <cstdint>

namespace sorel::testing {

std::vector<unsigned long> readPixels(Display* display, Window window, int left, int top, int width, int height) {
  std::vector<unsigned long> pixels;
  XImage* image = XGetImage(display, window, left, top, static_cast<unsigned>(width), static_cast<unsigned>(height),
                            AllPlanes, ZPixmap);
  if (!image) return pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(XGetPixel(image, x, y) & 0xffffff);
  XDestroyImage(image);
  return pixels;
}

bool writePNG(const std::vector<unsigned long>& pixels, int width, int height, const char* path) {
  if (pixels.empty() || pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
    return false;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < width; ++x)
      row[x] = 0xff000000u | static_cast<uint32_t>(pixels[static_cast<std::size_t>(y * width + x)]);
  }
  cairo_surface_mark_dirty(surface);
  const bool written = cairo_surface_write_to_png(surface, path) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}

bool writeWindowPNG(Display* display, Window window, int width, int height, const char* path) {
  return writePNG(readPixels(display, window, 0, 0, width, height), width, height, path);
}

}  // namespace sorel::testing
