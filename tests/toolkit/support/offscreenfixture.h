// Tests on a frame opened with the off-screen back-end: a recording editor, a
// shared log for the probe views and the listener, the driver, and picture
// strips released when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cbitmap.h"
#include "cframe.h"
#include "platform/cairo/cairobitmap.h"
#include "platform/offscreen/offscreen.h"
#include "probeview.h"
#include "recorders.h"
#include "testimage.h"

namespace sorel::test {

// What the probe views, the recording editor and listeners logged, in order.
using Log = std::vector<std::string>;

// The flat colour of frame `frame` of a picture strip, so that a single
// pixel tells which frame a control drew.
inline VSTGUI::CColor frameColour(int frame) {
  return VSTGUI::CColor{static_cast<uint8_t>(20 + 30 * frame), static_cast<uint8_t>(200 - 20 * frame),
                        static_cast<uint8_t>(frame % 2 ? 40 : 220), 255};
}

// The frame whose colour the pixel shows, or -1.
inline int frameShown(VSTGUI::CColor pixel, int frames) {
  for (int f = 0; f < frames; ++f) {
    if (pixel == frameColour(f)) return f;
  }
  return -1;
}

class OffscreenTest : public ::testing::Test {
 protected:
  void SetUp() override { openFrame(VSTGUI::CRect(0, 0, 200, 100)); }
  void TearDown() override {
    for (VSTGUI::CBitmap* strip : strips) strip->forget();
    closeFrame();
  }

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

  // Each pixel of the window has its colour.
  void expectPixels(std::initializer_list<Pixel> pixels) const {
    for (const Pixel& p : pixels) EXPECT_EQ(driver->pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
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

  // A strip of `frames` frames of width x height, registered under `name`
  // and kept until the test ends.
  VSTGUI::CBitmap* strip(const std::string& name, int frames, int width, int height) {
    std::vector<std::vector<VSTGUI::CColor>> rows;
    for (int f = 0; f < frames; ++f) rows.push_back({frameColour(f)});
    VSTGUI::images::registerForTest(name.c_str(), blocksPNG(width, height, rows));
    strips.push_back(new VSTGUI::CBitmap(name.c_str()));
    return strips.back();
  }

  // The frame of a strip of `frames` that the window shows at (x, y).
  int shownAt(int x, int y, int frames) {
    driver->renderAll();
    return frameShown(driver->pixel(x, y), frames);
  }

  Log log;
  RecordingEditor editor{&log};
  RecordingListener listener{&log};
  std::vector<VSTGUI::CBitmap*> strips;
  VSTGUI::CFrame* frame = nullptr;
  std::unique_ptr<VSTGUI::offscreen::Driver> driver;
};

}  // namespace sorel::test
