// Removes a processing delay: the first `frames` frames that reach this stage
// are dropped. The render loop feeds the plug-in as many frames of silence at
// the end of the file, so the output keeps the input's length and alignment.
#pragma once

#include <algorithm>
#include <vector>

#include "stage.h"

namespace sorel::host {

class DelayTrim : public Stage {
 public:
  DelayTrim(int frames, int channels) : pending(static_cast<std::size_t>(frames * channels)) {}
  void process(std::vector<float>& frames) override {
    const std::size_t drop = std::min(pending, frames.size());
    frames.erase(frames.begin(), frames.begin() + static_cast<std::ptrdiff_t>(drop));
    pending -= drop;
  }

 private:
  std::size_t pending;  // samples still to drop
};

}  // namespace sorel::host
