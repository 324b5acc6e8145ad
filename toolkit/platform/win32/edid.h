// A monitor's physical image size from the EDID blocks Windows keeps in the
// monitors' device registry keys.
#pragma once

#include <cstddef>

namespace VSTGUI::win32 {

// Width and height in millimetres of the first detailed timing descriptor.
// False when the block is too short to hold it.
bool edidImageSize(const unsigned char* edid, std::size_t size, int& widthMm, int& heightMm);

// Enumerates the present monitors; every one with an "EDID" value overwrites
// the size, and the answer is that of the last monitor enumerated.
bool monitorImageSize(int& widthMm, int& heightMm);

}  // namespace VSTGUI::win32
