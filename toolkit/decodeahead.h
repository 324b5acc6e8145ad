// Decoding a window's images before its first paint, on two threads: the
// calling one and a helper, so opening an editor waits for about half the
// decoding it would otherwise do at its first draw.
#pragma once

#include <vector>

namespace VSTGUI {

class CBitmap;
class CViewContainer;

// The background images of `container` and of every visible view inside it,
// each once, in drawing order.
std::vector<CBitmap*> visibleBitmaps(const CViewContainer& container);

// Decodes `bitmaps`, the helper taking the largest and the caller the
// smallest until they meet; returns when every one is done. Without a helper
// thread the caller decodes them all.
void decodeAhead(const std::vector<CBitmap*>& bitmaps);

}  // namespace VSTGUI
