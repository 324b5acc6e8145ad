// An image decoded by GDI+ from the image source's PNG bytes. The decoded
// pixels (premultiplied ARGB) are shared by every bitmap of the same name
// while any of them lives.
#pragma once

// windows.h first: the other system headers need its types.
// clang-format off
#include <windows.h>
#include <gdiplus.h>
// clang-format on

#include <memory>

#include "gdiplususer.h"
#include "platform/iplatform.h"

namespace VSTGUI::win32 {

struct DecodedImage {
  GdiplusUser gdiplus;  // declared first: outlives the pixels
  std::unique_ptr<Gdiplus::Bitmap> pixels;
};

class Win32Bitmap : public IPlatformBitmap {
 public:
  explicit Win32Bitmap(std::shared_ptr<DecodedImage> decoded) : image(std::move(decoded)) {}
  CCoord getWidth() const override { return image->pixels->GetWidth(); }
  CCoord getHeight() const override { return image->pixels->GetHeight(); }
  Gdiplus::Bitmap* get() const { return image->pixels.get(); }

 private:
  std::shared_ptr<DecodedImage> image;
};

}  // namespace VSTGUI::win32
