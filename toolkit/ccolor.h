// A colour as four bytes: red, green, blue and alpha (255 opaque).
#pragma once

#include <cstdint>

namespace VSTGUI {

struct CColor {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t alpha = 255;
  bool operator==(const CColor&) const = default;
};

inline constexpr CColor kBlackCColor{0, 0, 0, 255};
inline constexpr CColor kWhiteCColor{255, 255, 255, 255};
inline constexpr CColor kTransparentCColor{255, 255, 255, 0};

}  // namespace VSTGUI
