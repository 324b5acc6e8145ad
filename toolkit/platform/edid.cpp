#include "edid.h"

namespace VSTGUI {

bool edidImageSize(const unsigned char* edid, std::size_t size, int& widthMm, int& heightMm) {
  if (!edid || size < 69) return false;
  widthMm = ((edid[68] & 0xF0) << 4) + edid[66];
  heightMm = ((edid[68] & 0x0F) << 8) + edid[67];
  return true;
}

}  // namespace VSTGUI
