// Resizing the host's windows around an editor window whose host cannot.
#pragma once

namespace VSTGUI {
class IPlatformFrame;
}

namespace VSTGUI::win32 {

// Gives the parents of `frame`'s window the size that fits an editor of
// `width` x `height` (see resizedParents), keeping their positions. False
// when the frame has no window or no parent was resized.
bool resizeParentWindows(IPlatformFrame* frame, int width, int height);

}  // namespace VSTGUI::win32
