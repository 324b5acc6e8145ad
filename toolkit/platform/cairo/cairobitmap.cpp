#include "cairobitmap.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "platform/backends.h"

#ifdef SOREL_HAVE_RESOURCES
#include "resources/embedded.h"
#endif

namespace VSTGUI {

namespace {
struct PngReader {
  const unsigned char* bytes;
  std::size_t size;
  std::size_t at = 0;
};

cairo_status_t readPng(void* closure, unsigned char* data, unsigned int length) {
  auto* reader = static_cast<PngReader*>(closure);
  if (reader->size - reader->at < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, reader->bytes + reader->at, length);
  reader->at += length;
  return CAIRO_STATUS_SUCCESS;
}

std::string lowerCase(const char* name) {
  std::string key(name);
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

// Decoded surfaces by lower-cased name; each entry holds one surface
// reference for the rest of the process. Images registered by tests live here
// too. cairo counts surface references atomically, so bitmaps handed out may
// be released on any thread.
struct ImageCache {
  std::mutex lock;
  std::map<std::string, cairo_surface_t*> decoded;
  std::map<std::string, std::vector<unsigned char>> registered;

  ~ImageCache() {
    for (auto& entry : decoded) cairo_surface_destroy(entry.second);
  }

  // The image's bytes: a test's image, else the embedded file.
  bool findBytes(const std::string& key, const unsigned char*& bytes, std::size_t& size) const {
    if (auto it = registered.find(key); it != registered.end()) {
      bytes = it->second.data();
      size = it->second.size();
      return true;
    }
#ifdef SOREL_HAVE_RESOURCES
    if (const sorel::resources::EmbeddedFile* file = sorel::resources::find(key.c_str())) {
      bytes = file->bytes;
      size = file->size;
      return true;
    }
#endif
    return false;
  }

  void forget(const std::string& key) {
    if (auto it = decoded.find(key); it != decoded.end()) {
      cairo_surface_destroy(it->second);
      decoded.erase(it);
    }
  }
};

ImageCache& cache() {
  static ImageCache instance;
  return instance;
}

// The size from the PNG signature and its first chunk, the image header.
bool readPngSize(const unsigned char* bytes, std::size_t size, int& width, int& height) {
  static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  constexpr std::size_t kHeaderEnd = 24;  // signature, chunk length and type, width, height
  if (size < kHeaderEnd || std::memcmp(bytes, kSignature, sizeof kSignature) != 0) return false;
  if (std::memcmp(bytes + 12, "IHDR", 4) != 0) return false;
  auto word = [bytes](std::size_t at) {
    return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
           (std::uint32_t{bytes[at + 2]} << 8) | std::uint32_t{bytes[at + 3]};
  };
  const std::uint32_t w = word(16), h = word(20);
  if (w == 0 || h == 0 || w > 0x7fff || h > 0x7fff) return false;  // cairo's own limit
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

cairo_surface_t* decodeSurface(const unsigned char* bytes, std::size_t size) {
  PngReader reader{bytes, size};
  cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(readPng, &reader);
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) return surface;
  cairo_surface_destroy(surface);
  return nullptr;
}
}  // namespace

CairoBitmap::CairoBitmap(std::string name, int w, int h) : key(std::move(name)), width(w), height(h) {}

CairoBitmap::~CairoBitmap() {
  if (cairo_surface_t* pixels = surface.load()) cairo_surface_destroy(pixels);
}

cairo_surface_t* CairoBitmap::getSurface() const {
  if (cairo_surface_t* pixels = surface.load(std::memory_order_acquire)) return pixels;
  ImageCache& images = cache();
  std::lock_guard<std::mutex> hold(images.lock);
  if (cairo_surface_t* pixels = surface.load(std::memory_order_acquire)) return pixels;
  auto it = images.decoded.find(key);
  if (it == images.decoded.end()) {
    const unsigned char* bytes = nullptr;
    std::size_t size = 0;
    if (!images.findBytes(key, bytes, size)) return nullptr;
    cairo_surface_t* decoded = decodeSurface(bytes, size);
    if (!decoded) return nullptr;
    it = images.decoded.emplace(key, decoded).first;
  }
  cairo_surface_t* pixels = cairo_surface_reference(it->second);
  surface.store(pixels, std::memory_order_release);
  return pixels;
}

namespace images {

IPlatformBitmap* load(const char* name) {
  if (!name || !*name) return nullptr;
  std::string key = lowerCase(name);
  ImageCache& images = cache();
  std::lock_guard<std::mutex> hold(images.lock);
  const unsigned char* bytes = nullptr;
  std::size_t size = 0;
  int width = 0, height = 0;
  if (!images.findBytes(key, bytes, size) || !readPngSize(bytes, size, width, height)) return nullptr;
  return new CairoBitmap(std::move(key), width, height);
}

void registerForTest(const char* name, std::vector<unsigned char> png) {
  if (!name) return;
  const std::string key = lowerCase(name);
  ImageCache& images = cache();
  std::lock_guard<std::mutex> hold(images.lock);
  images.forget(key);
  images.registered[key] = std::move(png);
}

}  // namespace images

}  // namespace VSTGUI
