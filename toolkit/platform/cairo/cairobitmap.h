// A decoded PNG as a cairo image surface, and the process-wide image cache:
// each embedded image is decoded once and its pixels shared by every bitmap
// (and every editor instance) that loads it.
#pragma once

#include <cairo.h>

#include <vector>

#include "platform/iplatform.h"

namespace VSTGUI {

class CairoBitmap : public IPlatformBitmap {
 public:
  // Shares `surface` (takes a reference of its own).
  explicit CairoBitmap(cairo_surface_t* surface);
  ~CairoBitmap() override;

  CCoord getWidth() const override;
  CCoord getHeight() const override;
  cairo_surface_t* getSurface() const { return surface; }

 private:
  cairo_surface_t* surface;
};

namespace images {
// Makes `name` (case ignored) resolve to `png` ahead of the embedded files,
// for tests that bring their own images. Registering a name again replaces
// its image for later loads.
void registerForTest(const char* name, std::vector<unsigned char> png);
}  // namespace images

}  // namespace VSTGUI
