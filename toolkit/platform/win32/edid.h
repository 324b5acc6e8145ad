// A monitor's physical image size from the EDID blocks Windows keeps in the
// monitors' device registry keys.
#pragma once

namespace VSTGUI::win32 {

// Enumerates the present monitors; every one with an "EDID" value overwrites
// the size, and the answer is that of the last monitor enumerated.
bool monitorImageSize(int& widthMm, int& heightMm);

}  // namespace VSTGUI::win32
