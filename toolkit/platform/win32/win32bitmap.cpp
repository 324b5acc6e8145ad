#include "win32bitmap.h"

#include <cctype>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "../backends.h"
#include "win32module.h"

namespace VSTGUI {

namespace {

// Resource names are stored in upper case.
std::string upperCase(const char* name) {
  std::string key(name);
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

// A stream over a copy of the image's bytes (GDI+ reads PNG from streams).
IStream* streamOverImage(const std::string& name) {
  const IImageSource* source = getImageSource();
  const unsigned char* bytes = nullptr;
  std::size_t size = 0;
  if (!source || !source->findImage(name.c_str(), bytes, size) || size == 0) return nullptr;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return nullptr;
  void* target = GlobalLock(copy);
  if (!target) {
    GlobalFree(copy);
    return nullptr;
  }
  std::memcpy(target, bytes, size);
  GlobalUnlock(copy);
  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(copy, TRUE, &stream) != S_OK) {
    GlobalFree(copy);
    return nullptr;
  }
  return stream;
}

// The module's "PNG" resources, named in upper case.
class ModuleImages : public IImageSource {
 public:
  bool findImage(const char* name, const unsigned char*& bytes, std::size_t& size) const override {
    auto module = static_cast<HMODULE>(platformModuleHandle());
    HRSRC found = FindResourceA(module, upperCase(name).c_str(), "PNG");
    if (!found) return false;
    HGLOBAL loaded = LoadResource(module, found);
    bytes = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    size = SizeofResource(module, found);
    return bytes != nullptr;
  }
};

// Decodes the PNG and copies it into a premultiplied bitmap of its own, so
// the stream can go and drawing needs no conversion.
std::shared_ptr<win32::DecodedImage> decode(const std::string& name) {
  auto decoded = std::make_shared<win32::DecodedImage>();
  if (!decoded->gdiplus.running()) return nullptr;
  IStream* stream = streamOverImage(name);
  if (!stream) return nullptr;
  {
    Gdiplus::Bitmap png(stream);
    const UINT width = png.GetWidth();
    const UINT height = png.GetHeight();
    if (png.GetLastStatus() == Gdiplus::Ok && width > 0 && height > 0) {
      auto pixels =
          std::make_unique<Gdiplus::Bitmap>(static_cast<INT>(width), static_cast<INT>(height), PixelFormat32bppPARGB);
      Gdiplus::Graphics copy(pixels.get());
      copy.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
      copy.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
      copy.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
      const Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
      if (copy.DrawImage(&png, all, 0, 0, all.Width, all.Height, Gdiplus::UnitPixel) == Gdiplus::Ok) {
        decoded->pixels = std::move(pixels);
      }
    }
  }
  stream->Release();
  return decoded->pixels ? decoded : nullptr;
}

struct ImageCache {
  std::mutex lock;
  std::map<std::string, std::weak_ptr<win32::DecodedImage>> images;
};

ImageCache& cache() {
  static ImageCache instance;
  return instance;
}

}  // namespace

namespace native {
const IImageSource* moduleImages() {
  static const ModuleImages resources;
  return &resources;
}
}  // namespace native

namespace images {

IPlatformBitmap* load(const char* name) {
  if (!name || !*name) return nullptr;
  const std::string key = upperCase(name);
  ImageCache& images = cache();
  std::lock_guard<std::mutex> hold(images.lock);
  std::shared_ptr<win32::DecodedImage> image = images.images[key].lock();
  if (!image) {
    image = decode(key);
    if (!image) return nullptr;
    images.images[key] = image;
  }
  return new win32::Win32Bitmap(std::move(image));
}

}  // namespace images

}  // namespace VSTGUI
