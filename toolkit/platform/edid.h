// A monitor's physical image size, read from its EDID block: the same bytes
// on every system that hands the block out (Windows' monitor registry keys,
// Linux's /sys/class/drm).
#pragma once

#include <cstddef>

namespace VSTGUI {

// Width and height in millimetres of the first detailed timing descriptor
// (bytes 66 to 68). False when the block is too short to hold it.
bool edidImageSize(const unsigned char* edid, std::size_t size, int& widthMm, int& heightMm);

}  // namespace VSTGUI
