// Whole-window previews composed from the skin images at the editor's
// positions, to judge the skin as a user will see it.
#pragma once

#include <cairo.h>

namespace sorel::skingen {

enum class PreviewPage { kStereo, kMidSide, kAbout };

// An image surface of the window at `scale`; the caller destroys it.
cairo_surface_t* composePreview(PreviewPage page, int scale);

}  // namespace sorel::skingen
