#include "parentresize.h"

#include <cstdlib>

namespace VSTGUI {

std::vector<WindowSize> resizedParents(const std::vector<ChainWindow>& chain, int newWidth, int newHeight,
                                       int frameBorder) {
  constexpr int kLargestCorrection = 80;
  std::vector<WindowSize> sizes;
  int borderWidth = 0;
  int borderHeight = 0;
  for (std::size_t i = 1; i < chain.size(); ++i) {
    const ChainWindow& inner = chain[i - 1];
    const ChainWindow& parent = chain[i];
    if (parent.mdiClient) break;
    borderWidth += parent.width - inner.width;
    borderHeight += parent.height - inner.height;
    if (std::abs(borderWidth) > kLargestCorrection || std::abs(borderHeight) > kLargestCorrection) break;
    sizes.push_back({newWidth + borderWidth, newHeight + borderHeight});
    if (borderWidth == 2 * frameBorder) break;
  }
  return sizes;
}

}  // namespace VSTGUI
