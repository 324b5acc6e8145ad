// Reading a window's pixels, and writing them to a PNG file for people to
// look at.
#pragma once

#include <X11/Xlib.h>

#include <vector>

namespace sorel::testing {

// The width x height pixels of `window` from (left, top) as 0xRRGGBB, row by
// row (the test server's visual is 24-bit RGB); empty when unreadable.
std::vector<unsigned long> readPixels(Display* display, Window window, int left, int top, int width, int height);
// Pixels as readPixels gives them; false when they cannot be written.
bool writePNG(const std::vector<unsigned long>& pixels, int width, int height, const char* path);
// The top-left width x height pixels of `window`; false when they cannot be read or written.
bool writeWindowPNG(Display* display, Window window, int width, int height, const char* path);

}  // namespace sorel::testing
