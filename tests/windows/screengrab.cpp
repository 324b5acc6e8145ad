#include "screengrab.h"

#include <X11/Xutil.h>

#include "screenshot.h"

namespace sorel::testing {

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
    writeImagePNG(image, width, height, path.c_str());
    XDestroyImage(image);
  }
  XCloseDisplay(display);
}

ScreenGrab::Rgb ScreenGrab::at(int x, int y) const {
  const unsigned long p = pixels[static_cast<size_t>(y) * width + x];
  return Rgb{static_cast<int>((p >> 16) & 0xff), static_cast<int>((p >> 8) & 0xff), static_cast<int>(p & 0xff)};
}

}  // namespace sorel::testing
