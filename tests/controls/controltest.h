// A control test on an off-screen frame: a listener logging into the shared
// log, and picture strips released when the test ends.
#pragma once

#include <string>
#include <vector>

#include "offscreenfixture.h"
#include "recordinglistener.h"
#include "strip.h"

namespace sorel::test {

class ControlTest : public OffscreenTest {
 protected:
  void TearDown() override {
    for (VSTGUI::CBitmap* strip : strips) strip->forget();
    OffscreenTest::TearDown();
  }

  // A strip of `frames` frames of width x height, kept until the test ends.
  VSTGUI::CBitmap* strip(const std::string& name, int frames, int width, int height) {
    strips.push_back(makeStrip(name, frames, width, height));
    return strips.back();
  }

  // The frame of a strip of `frames` that the window shows at (x, y).
  int shownAt(int x, int y, int frames) {
    driver->renderAll();
    return frameShown(driver->pixel(x, y), frames);
  }

  RecordingListener listener{&log};
  std::vector<VSTGUI::CBitmap*> strips;
};

}  // namespace sorel::test
