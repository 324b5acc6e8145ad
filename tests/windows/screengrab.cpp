#include "screengrab.h"

#include "screenshot.h"

namespace sorel::testing {

ScreenGrab::ScreenGrab(const Rect& r, const std::string& path) : width(r.width), height(r.height) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return;
  pixels = readPixels(display, DefaultRootWindow(display), r.left, r.top, r.width, r.height);
  writePNG(pixels, width, height, path.c_str());
  XCloseDisplay(display);
}

ScreenGrab::Rgb ScreenGrab::at(int x, int y) const {
  const unsigned long p = pixels[static_cast<size_t>(y) * width + x];
  return Rgb{static_cast<int>((p >> 16) & 0xff), static_cast<int>((p >> 8) & 0xff), static_cast<int>(p & 0xff)};
}

}  // namespace sorel::testing
