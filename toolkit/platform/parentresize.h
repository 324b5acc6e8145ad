// Growing or shrinking the host's windows around an editor whose host cannot
// resize them itself: the sizes, worked out apart from the window system.
#pragma once

#include <vector>

namespace VSTGUI {

// One window of the chain: its outer size and whether it is the client area
// of a multiple-document window (the host's workspace, never resized).
struct ChainWindow {
  int width = 0;
  int height = 0;
  bool mdiClient = false;
};

struct WindowSize {
  int width = 0;
  int height = 0;
  bool operator==(const WindowSize&) const = default;
};

// `chain` starts with the editor's own window at its old size, then its
// parents, innermost first. Every parent gets the new size plus the border
// it and the parents below it add around the editor. The walk ends after the
// parent whose accumulated width border is twice `frameBorder` (the
// top-level window's fixed frame), before a workspace window, and before a
// parent whose accumulated correction exceeds 80 pixels either way (it is no
// frame around the editor). Answers the new sizes of the parents to resize,
// innermost first: element i belongs to chain[i + 1].
std::vector<WindowSize> resizedParents(const std::vector<ChainWindow>& chain, int newWidth, int newHeight,
                                       int frameBorder);

}  // namespace VSTGUI
