#include "pngdecode.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace VSTGUI::png {

namespace {

struct Source {
  const unsigned char* bytes;
  std::size_t size;
  std::size_t at = 0;
};

// What the image header says, read without libpng.
struct Header {
  std::uint32_t width = 0, height = 0;
  unsigned char depth = 0, colourType = 0, interlace = 0;
};

std::uint32_t bigEndian(const unsigned char* at) {
  return (std::uint32_t{at[0]} << 24) | (std::uint32_t{at[1]} << 16) | (std::uint32_t{at[2]} << 8) | at[3];
}

bool readHeader(const unsigned char* bytes, std::size_t size, Header& header) {
  int width = 0, height = 0;
  if (size < 33 || !readSize(bytes, size, width, height)) return false;
  header.width = static_cast<std::uint32_t>(width);
  header.height = static_cast<std::uint32_t>(height);
  header.depth = bytes[24];
  header.colourType = bytes[25];
  header.interlace = bytes[28];
  return true;
}

// The fast path's kind: 8-bit RGB or RGBA, not interlaced.
bool isFastKind(const Header& header) {
  return header.depth == 8 && (header.colourType == PNG_COLOR_TYPE_RGB || header.colourType == PNG_COLOR_TYPE_RGBA) &&
         header.interlace == PNG_INTERLACE_NONE;
}

// Pixel memory, mapped and filled in one call rather than a page fault per
// page as the rows arrive; freed when cairo drops the surface.
struct Pixels {
  unsigned char* data = nullptr;
  std::size_t length = 0;
};

// Filled in advance up to this size only: a damaged header may claim up to
// 4 GiB, which is then mapped lazily, as plain allocation would.
constexpr std::size_t kLargestFilledAhead = std::size_t{64} << 20;

Pixels allocatePixels(std::size_t length) {
  Pixels pixels;
#ifdef __linux__
  const int fill = length <= kLargestFilledAhead ? MAP_POPULATE : 0;
  void* mapped = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | fill, -1, 0);
  if (mapped == MAP_FAILED) return pixels;
  pixels.data = static_cast<unsigned char*>(mapped);
#else
  pixels.data = static_cast<unsigned char*>(std::malloc(length));
  if (!pixels.data) return pixels;
#endif
  pixels.length = length;
  return pixels;
}

void releasePixels(const Pixels& pixels) {
  if (!pixels.data) return;
#ifdef __linux__
  munmap(pixels.data, pixels.length);
#else
  std::free(pixels.data);
#endif
}

void readBytes(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<Source*>(png_get_io_ptr(png));
  if (source->size - source->at < length) png_error(png, "truncated");
  std::memcpy(out, source->bytes + source->at, length);
  source->at += length;
}

[[noreturn]] void quietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void quietWarning(png_structp, png_const_charp) {}

// cairo's premultiplication: alpha times colour over 255, rounded to nearest.
inline std::uint32_t premultiplied(std::uint32_t alpha, std::uint32_t colour) {
  const std::uint32_t t = alpha * colour + 0x80;
  return (t + (t >> 8)) >> 8;
}

// One row of RGBA (or RGB with a 0xff filler) bytes, rewritten in place as
// cairo's native-endian words.
void toNativeWords(unsigned char* row, std::uint32_t width, bool alpha) {
  for (std::uint32_t x = 0; x < width; ++x, row += 4) {
    const std::uint32_t r = row[0], g = row[1], b = row[2], a = alpha ? row[3] : 0xff;
    std::uint32_t word = 0;
    if (a == 0xff) {
      word = 0xff000000u | (r << 16) | (g << 8) | b;
    } else if (a != 0) {
      word = (a << 24) | (premultiplied(a, r) << 16) | (premultiplied(a, g) << 8) | premultiplied(a, b);
    }
    std::memcpy(row, &word, 4);
  }
}

enum Outcome { kDecoded, kNotFastKind, kBroken };

// Decodes into `pixels` (stride bytes a row). Keeps to plain data between
// libpng's setjmp and its error jump.
Outcome readRows(Source& source, const Header& header, const Pixels& pixels, std::size_t stride) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
  if (!png) return kBroken;
  png_infop info = png_create_info_struct(png);
  volatile Outcome outcome = kBroken;
  if (info && setjmp(png_jmpbuf(png)) == 0) {
    png_set_read_fn(png, &source, readBytes);
#ifdef PNG_IGNORE_ADLER32
    // Every chunk's CRC already guards the compressed data.
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
    png_read_info(png, info);
    // A transparency chunk gives an RGB image alpha: cairo's reader's case.
    if (png_get_valid(png, info, PNG_INFO_tRNS)) {
      outcome = kNotFastKind;
    } else {
      const bool alpha = header.colourType == PNG_COLOR_TYPE_RGBA;
      if (!alpha) png_set_filler(png, 0xff, PNG_FILLER_AFTER);
      png_read_update_info(png, info);
      for (std::uint32_t y = 0; y < header.height; ++y) {
        unsigned char* row = pixels.data + y * stride;
        png_read_row(png, row, nullptr);
        toNativeWords(row, header.width, alpha);
      }
      png_read_end(png, nullptr);
      outcome = kDecoded;
    }
  }
  png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  return outcome;
}

cairo_user_data_key_t pixelsKey;

void releaseAttached(void* record) {
  auto* pixels = static_cast<Pixels*>(record);
  releasePixels(*pixels);
  delete pixels;
}

// A surface over `pixels`, which it owns from here on; null if cairo refuses.
cairo_surface_t* wrap(const Pixels& pixels, const Header& header, std::size_t stride) {
  const cairo_format_t format = header.colourType == PNG_COLOR_TYPE_RGBA ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24;
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      pixels.data, format, static_cast<int>(header.width), static_cast<int>(header.height), static_cast<int>(stride));
  auto* owned = new Pixels(pixels);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
      cairo_surface_set_user_data(surface, &pixelsKey, owned, releaseAttached) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    releaseAttached(owned);
    return nullptr;
  }
  return surface;
}

cairo_status_t readForCairo(void* closure, unsigned char* data, unsigned int length) {
  auto* source = static_cast<Source*>(closure);
  if (source->size - source->at < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, source->bytes + source->at, length);
  source->at += length;
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool readSize(const unsigned char* bytes, std::size_t size, int& width, int& height) {
  static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  constexpr std::size_t kSizeEnd = 24;  // signature, chunk length and type, width, height
  if (!bytes || size < kSizeEnd || std::memcmp(bytes, kSignature, 8) != 0 || std::memcmp(bytes + 12, "IHDR", 4) != 0)
    return false;
  const std::uint32_t w = bigEndian(bytes + 16), h = bigEndian(bytes + 20);
  if (w == 0 || h == 0 || w > 0x7fff || h > 0x7fff) return false;  // cairo's own limit
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

cairo_surface_t* decodeWithCairo(const unsigned char* bytes, std::size_t size) {
  Source source{bytes, size};
  cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(readForCairo, &source);
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) return surface;
  cairo_surface_destroy(surface);
  return nullptr;
}

cairo_surface_t* decode(const unsigned char* bytes, std::size_t size) {
  Header header;
  if (!readHeader(bytes, size, header)) return nullptr;
  if (!isFastKind(header)) return decodeWithCairo(bytes, size);
  const std::size_t stride = std::size_t{header.width} * 4;
  const Pixels pixels = allocatePixels(stride * header.height);
  if (!pixels.data) return nullptr;
  Source source{bytes, size};
  const Outcome outcome = readRows(source, header, pixels, stride);
  if (outcome == kDecoded) return wrap(pixels, header, stride);
  releasePixels(pixels);
  return outcome == kNotFastKind ? decodeWithCairo(bytes, size) : nullptr;
}

}  // namespace VSTGUI::png
