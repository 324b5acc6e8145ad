#include "cairobitmap.h"

#include <cctype>
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/backends.h"
#include "pngdecode.h"

namespace VSTGUI {

namespace {
std::string lowerCase(const char* name) {
  std::string key(name);
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

using Bytes = std::vector<unsigned char>;

// One image's entry: its size, read from the header when the entry is made,
// and its decode, done once by whichever thread asks first while any others
// asking meanwhile wait for it. Holds one surface reference for the rest of
// the process; a test's bytes live as long as their decode.
struct Decode {
  std::once_flag once;
  std::shared_ptr<const Bytes> ownBytes;
  const unsigned char* bytes = nullptr;
  std::size_t size = 0;
  bool sized = false;  // the header gave a size
  int width = 0, height = 0;
  std::atomic<cairo_surface_t*> surface{nullptr};  // set once, by the decode

  ~Decode() {
    if (cairo_surface_t* pixels = surface.load()) cairo_surface_destroy(pixels);
  }
};

// Decodes by lower-cased name. The lock guards the tables only, so images of
// different names decode at the same time. cairo counts surface references
// atomically, so bitmaps handed out may be released on any thread.
struct ImageCache {
  std::mutex lock;
  std::map<std::string, std::shared_ptr<Decode>> decodes;
  std::map<std::string, std::shared_ptr<const Bytes>> registered;

  // The image's bytes: a test's image, else the application's.
  bool findBytes(const std::string& key, const unsigned char*& bytes, std::size_t& size) const {
    if (auto it = registered.find(key); it != registered.end()) {
      bytes = it->second->data();
      size = it->second->size();
      return true;
    }
    const IImageSource* source = getImageSource();
    return source && source->findImage(key.c_str(), bytes, size);
  }

  // The entry of `key`, made on first ask; null when there is no such image.
  std::shared_ptr<Decode> decodeOf(const std::string& key) {
    if (auto it = decodes.find(key); it != decodes.end()) return it->second;
    auto decode = std::make_shared<Decode>();
    if (!findBytes(key, decode->bytes, decode->size)) return nullptr;
    decode->sized = png::readSize(decode->bytes, decode->size, decode->width, decode->height);
    if (auto it = registered.find(key); it != registered.end()) decode->ownBytes = it->second;
    decodes.emplace(key, decode);
    return decode;
  }
};

ImageCache& cache() {
  static ImageCache instance;
  return instance;
}

}  // namespace

CairoBitmap::CairoBitmap(std::string name, int w, int h, cairo_surface_t* decoded)
    : key(std::move(name)), width(w), height(h), surface(decoded ? cairo_surface_reference(decoded) : nullptr) {}

CairoBitmap::~CairoBitmap() {
  if (cairo_surface_t* pixels = surface.load()) cairo_surface_destroy(pixels);
}

cairo_surface_t* CairoBitmap::getSurface() const {
  if (cairo_surface_t* pixels = surface.load(std::memory_order_acquire)) return pixels;
  std::shared_ptr<Decode> decode;
  {
    ImageCache& images = cache();
    std::lock_guard<std::mutex> hold(images.lock);
    decode = images.decodeOf(key);
  }
  if (!decode) return nullptr;
  std::call_once(decode->once, [&decode] {
    decode->surface.store(png::decode(decode->bytes, decode->size), std::memory_order_release);
  });
  cairo_surface_t* decoded = decode->surface.load(std::memory_order_acquire);
  if (!decoded) return nullptr;
  cairo_surface_t* pixels = cairo_surface_reference(decoded);
  cairo_surface_t* earlier = nullptr;
  if (surface.compare_exchange_strong(earlier, pixels, std::memory_order_acq_rel)) return pixels;
  cairo_surface_destroy(pixels);  // another thread stored the same surface first
  return earlier;
}

namespace images {

// A name seen before costs no search and no header read, and an image another
// bitmap has decoded comes decoded (so an editor opened again, or in another
// instance, has nothing left to decode ahead).
IPlatformBitmap* load(const char* name) {
  if (!name || !*name) return nullptr;
  std::string key = lowerCase(name);
  ImageCache& images = cache();
  std::lock_guard<std::mutex> hold(images.lock);
  const std::shared_ptr<Decode> decode = images.decodeOf(key);
  if (!decode || !decode->sized) return nullptr;
  return new CairoBitmap(std::move(key), decode->width, decode->height,
                         decode->surface.load(std::memory_order_acquire));
}

void registerForTest(const char* name, std::vector<unsigned char> png) {
  if (!name) return;
  const std::string key = lowerCase(name);
  ImageCache& images = cache();
  std::lock_guard<std::mutex> hold(images.lock);
  images.decodes.erase(key);
  images.registered[key] = std::make_shared<const Bytes>(std::move(png));
}

}  // namespace images

}  // namespace VSTGUI
