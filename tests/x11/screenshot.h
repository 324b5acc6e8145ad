// Grabbing a window's pixels into a PNG file.
#pragma once

#include <X11/Xlib.h>

namespace sorel::testing {

// The top-left width x height pixels of `image`; false when they cannot be written.
bool writeImagePNG(XImage* image, int width, int height, const char* path);
// The top-left width x height pixels of `window`; false when they cannot be read or written.
bool writeWindowPNG(Display* display, Window window, int width, int height, const char* path);

}  // namespace sorel::testing
