// A PNG image as a cairo image surface, and the process-wide image cache.
// Loading reads only the PNG header (the size), once per name; the pixels are
// decoded at the first draw, once per process, and shared by every bitmap
// (and every editor instance) of the same name.
#pragma once

#include <cairo.h>

#include <atomic>
#include <string>
#include <vector>

#include "platform/iplatform.h"

namespace VSTGUI {

class CairoBitmap : public IPlatformBitmap {
 public:
  // An image of the cache under `key`, of the size its header gives; its
  // pixels when the cache has decoded them already.
  CairoBitmap(std::string key, int width, int height, cairo_surface_t* decoded = nullptr);
  ~CairoBitmap() override;

  CCoord getWidth() const override { return width; }
  CCoord getHeight() const override { return height; }
  bool isDecoded() const override { return surface.load(std::memory_order_acquire) != nullptr; }
  void decode() const override { getSurface(); }
  // The pixels, decoded on first use; null when they cannot be decoded.
  cairo_surface_t* getSurface() const;

 private:
  std::string key;
  int width, height;
  mutable std::atomic<cairo_surface_t*> surface{nullptr};
};

namespace images {
// Makes `name` (case ignored) resolve to `png` ahead of the image source,
// for tests that bring their own images. Registering a name again replaces
// its image for later loads.
void registerForTest(const char* name, std::vector<unsigned char> png);
}  // namespace images

}  // namespace VSTGUI
