// A part of the X screen as RGB, also written to a PNG file for people to
// look at.
#pragma once

#include <string>
#include <vector>

namespace sorel::testing {

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
};

class ScreenGrab {
 public:
  struct Rgb {
    int red, green, blue;
  };
  // Grabs `r` of the root window on the current DISPLAY and writes it to `path`.
  ScreenGrab(const Rect& r, const std::string& path);
  bool valid() const { return !pixels.empty(); }
  Rgb at(int x, int y) const;

 private:
  int width, height;
  std::vector<unsigned long> pixels;  // 0xRRGGBB
};

}  // namespace sorel::testing
