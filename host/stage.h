// A processing step after the plug-in, before the "after" meter and the
// writer: gain, limiting, delay removal. Stages see interleaved frames of the
// file's channel count and run one after another in the render loop's
// thread. A stage may hold frames back (a lookahead, a delay): process()
// then hands on fewer than it got, and finish() hands on what it still holds
// once the input has ended.
#pragma once

#include <vector>

namespace sorel::host {

class Stage {
 public:
  virtual ~Stage() = default;
  // Replaces `frames` (interleaved) with what this stage hands on now.
  virtual void process(std::vector<float>& frames) = 0;
  // Appends to `frames` what is still held at the end of the file.
  virtual void finish(std::vector<float>& frames) { (void)frames; }
};

}  // namespace sorel::host
