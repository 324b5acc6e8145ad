// PNG bytes to a cairo image surface, the fast way for the skin's own kind of
// image (8-bit RGB or RGBA, not interlaced): libpng writes the rows straight
// into pixel memory the kernel has mapped in one go, and the alpha is
// premultiplied in place. Other kinds are left to cairo's own reader. The
// pixels are the same as cairo's reader gives, byte for byte.
#pragma once

#include <cairo.h>

#include <cstddef>

namespace VSTGUI::png {

// The size from the signature and the image header's first fields; false
// for what is not a PNG or is beyond cairo's 32767-pixel limit.
bool readSize(const unsigned char* bytes, std::size_t size, int& width, int& height);

// The decoded image (ARGB32 with alpha, RGB24 without), or null when the bytes
// are not a whole, valid PNG.
cairo_surface_t* decode(const unsigned char* bytes, std::size_t size);

// cairo's own reader alone, the reference the fast path must match.
cairo_surface_t* decodeWithCairo(const unsigned char* bytes, std::size_t size);

}  // namespace VSTGUI::png
