// The fast PNG reader against cairo's own: the same format, size and bytes
// for every alpha value, images without alpha, the kinds it
// hands to cairo (grey, RGB with a transparent colour), and damage.
#include "platform/cairo/pngdecode.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "testimage.h"

namespace sorel::test {
namespace {

using Bytes = std::vector<unsigned char>;

// Why two surfaces differ, or "" when they are the same image.
std::string difference(cairo_surface_t* fast, cairo_surface_t* reference) {
  if (!fast || !reference) return fast == reference ? "" : "only one decoded";
  cairo_surface_flush(fast);
  cairo_surface_flush(reference);
  if (cairo_image_surface_get_format(fast) != cairo_image_surface_get_format(reference)) return "format";
  const int width = cairo_image_surface_get_width(fast), height = cairo_image_surface_get_height(fast);
  if (width != cairo_image_surface_get_width(reference) || height != cairo_image_surface_get_height(reference))
    return "size";
  for (int y = 0; y < height; ++y) {
    const unsigned char* a = cairo_image_surface_get_data(fast) + y * cairo_image_surface_get_stride(fast);
    const unsigned char* b = cairo_image_surface_get_data(reference) + y * cairo_image_surface_get_stride(reference);
    if (std::memcmp(a, b, static_cast<size_t>(width) * 4) != 0) return "row " + std::to_string(y);
  }
  return "";
}

std::string compareDecoders(const Bytes& png) {
  cairo_surface_t* fast = VSTGUI::png::decode(png.data(), png.size());
  cairo_surface_t* reference = VSTGUI::png::decodeWithCairo(png.data(), png.size());
  std::string why = difference(fast, reference);
  if (fast) cairo_surface_destroy(fast);
  if (reference) cairo_surface_destroy(reference);
  return why;
}

// Every alpha value with every colour value, written straight (not
// premultiplied) by libpng.
Bytes everyAlphaPNG() {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = 256;
  image.height = 256;
  image.format = PNG_FORMAT_RGBA;
  Bytes pixels(256 * 256 * 4);
  for (size_t alpha = 0; alpha < 256; ++alpha) {
    for (size_t colour = 0; colour < 256; ++colour) {
      unsigned char* p = &pixels[(alpha * 256 + colour) * 4];
      p[0] = static_cast<unsigned char>(colour);
      p[1] = static_cast<unsigned char>(255 - colour);
      p[2] = static_cast<unsigned char>(colour ^ 0x55);
      p[3] = static_cast<unsigned char>(alpha);
    }
  }
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
  Bytes png(size);
  EXPECT_TRUE(png_image_write_to_memory(&image, png.data(), &size, 0, pixels.data(), 0, nullptr));
  png.resize(size);
  return png;
}

Bytes paintedPNG(cairo_format_t format, int width, int height) {
  cairo_surface_t* surface = cairo_image_surface_create(format, width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_pattern_t* ramp = cairo_pattern_create_linear(0, 0, width, height);
  cairo_pattern_add_color_stop_rgba(ramp, 0, 0.9, 0.2, 0.1, 1);
  cairo_pattern_add_color_stop_rgba(ramp, 1, 0.1, 0.4, 0.8, 0.3);
  cairo_set_source(cr, ramp);
  cairo_paint(cr);
  cairo_pattern_destroy(ramp);
  cairo_destroy(cr);
  return pngOf(surface);
}

// `png` with a chunk inserted after the image header (signature and header
// take its first 33 bytes).
Bytes withChunkAfterHeader(const Bytes& png, const char type[4], const Bytes& data) {
  const size_t length = data.size();
  Bytes out(png.size() + 12 + length);
  std::memcpy(out.data(), png.data(), 33);
  unsigned char* chunk = out.data() + 33;
  chunk[3] = static_cast<unsigned char>(length);
  std::memcpy(chunk + 4, type, 4);
  if (length) std::memcpy(chunk + 8, data.data(), length);
  const uLong crc = crc32(0, chunk + 4, static_cast<uInt>(4 + length));
  for (int i = 0; i < 4; ++i) chunk[8 + length + i] = static_cast<unsigned char>(crc >> (24 - 8 * i));
  std::memcpy(chunk + 12 + length, png.data() + 33, png.size() - 33);
  return out;
}

TEST(PngDecode, MatchesCairosReaderForEveryAlphaAndKind) {
  EXPECT_EQ(compareDecoders(everyAlphaPNG()), "");
  const Bytes opaque = paintedPNG(CAIRO_FORMAT_RGB24, 37, 11);  // written as RGB without alpha
  EXPECT_EQ(opaque[25], 2);
  EXPECT_EQ(compareDecoders(opaque), "");
  EXPECT_EQ(compareDecoders(paintedPNG(CAIRO_FORMAT_ARGB32, 1, 300)), "");
  const Bytes grey = paintedPNG(CAIRO_FORMAT_A8, 20, 7);  // left to cairo
  EXPECT_NE(grey[25], 2);
  EXPECT_EQ(compareDecoders(grey), "");

  // A transparent colour gives an RGB image alpha, as cairo's reader has it.
  EXPECT_EQ(compareDecoders(withChunkAfterHeader(opaque, "tRNS", {0, 0, 0, 0, 0, 0})), "");
}

TEST(PngDecode, DamagedImagesDecodeToNothing) {
  const Bytes good = paintedPNG(CAIRO_FORMAT_ARGB32, 16, 16);
  Bytes corrupted = good;
  corrupted[corrupted.size() - 20] ^= 0x5a;  // inside the pixel data: its checksum fails
  // A header claiming the largest image over a few bytes of pixels: nothing
  // (and no 4 GiB filled in advance for it).
  Bytes huge = good;
  for (int at : {16, 20}) {
    huge[at + 2] = 0x7f;
    huge[at + 3] = 0xff;
  }
  // Then cut short: before the end, after the header, inside the header.
  for (const Bytes& damaged : {corrupted, huge, Bytes(good.begin(), good.end() - 30),
                               Bytes(good.begin(), good.begin() + 33), Bytes(good.begin(), good.begin() + 10)})
    EXPECT_EQ(VSTGUI::png::decode(damaged.data(), damaged.size()), nullptr) << damaged.size();
  EXPECT_EQ(VSTGUI::png::decode(nullptr, 0), nullptr);
}

}  // namespace
}  // namespace sorel::test
