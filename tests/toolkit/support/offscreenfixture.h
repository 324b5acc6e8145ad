// Tests on a frame opened with the off-screen back-end: a recording editor, a
// shared log for the probe views, and the driver.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cframe.h"
#include "platform/offscreen/offscreen.h"
#include "probeview.h"
#include "recordingeditor.h"

namespace sorel::test {

// What the probe views, the recording editor and listeners logged, in order.
using Log = std::vector<std::string>;

class OffscreenTest : public ::testing::Test {
 protected:
  void SetUp() override { openFrame(VSTGUI::CRect(0, 0, 200, 100)); }
  void TearDown() override { closeFrame(); }

  void openFrame(const VSTGUI::CRect& size) {
    VSTGUI::setPlatformBackEnd(VSTGUI::PlatformBackEnd::kOffscreen);
    frame = new VSTGUI::CFrame(size, &editor);
    ASSERT_TRUE(frame->open(nullptr));
    driver = std::make_unique<VSTGUI::offscreen::Driver>(frame);
  }

  // Closes the frame unless the code under test did; the driver's reference
  // goes last.
  void closeFrame() {
    if (frame && frame->isOpen()) frame->close();
    if (frame && !driver) frame->forget();  // never opened
    frame = nullptr;
    driver.reset();
  }

  // A probe view added to `parent` (the frame when null).
  ProbeView* addProbe(const VSTGUI::CRect& size, const std::string& name, VSTGUI::CColor color = VSTGUI::kWhiteCColor,
                      VSTGUI::CViewContainer* parent = nullptr) {
    auto* view = new ProbeView(size, name, &log, color);
    (parent ? parent : frame)->addView(view);
    return view;
  }

  // The log so far, emptied; hover entries only when asked for.
  Log takeLog(bool withHover = false) {
    Log taken;
    for (const std::string& entry : log) {
      const bool hover = entry.ends_with(" enter") || entry.ends_with(" exit");
      if (withHover || !hover) taken.push_back(entry);
    }
    log.clear();
    return taken;
  }

  Log log;
  RecordingEditor editor{&log};
  VSTGUI::CFrame* frame = nullptr;
  std::unique_ptr<VSTGUI::offscreen::Driver> driver;
};

}  // namespace sorel::test
