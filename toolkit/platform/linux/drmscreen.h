// The screen's size on Linux without a display connection: the kernel's DRM
// connectors list every monitor with its state, its EDID block and its modes.
#pragma once

#include <string>

namespace VSTGUI::drm {

// Where the kernel lists the connectors.
inline constexpr const char* kConnectorRoot = "/sys/class/drm";

// Walks the connectors under `root` in name order; every connected one
// overwrites the answer, so it is that of the last connected connector:
// millimetres from its EDID's first detailed timing descriptor, pixels from
// its first (preferred) mode. False when that connector lacks either, or
// when nothing is connected (a headless machine, a container).
bool screenSize(const std::string& root, int& widthPixels, int& heightPixels, int& widthMm, int& heightMm);

}  // namespace VSTGUI::drm
