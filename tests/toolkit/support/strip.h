// Picture strips for the control and knob tests: every frame one flat
// colour, so a single pixel tells which frame a control drew.
#pragma once

#include <string>
#include <vector>

#include "cbitmap.h"
#include "platform/cairo/cairobitmap.h"
#include "testimage.h"

namespace sorel::test {

inline VSTGUI::CColor frameColour(int frame) {
  return VSTGUI::CColor{static_cast<uint8_t>(20 + 30 * frame), static_cast<uint8_t>(200 - 20 * frame),
                        static_cast<uint8_t>(frame % 2 ? 40 : 220), 255};
}

// A strip of `frames` frames of width x height, registered under `name`; the
// caller owns the returned reference.
inline VSTGUI::CBitmap* makeStrip(const std::string& name, int frames, int width, int height) {
  std::vector<std::vector<VSTGUI::CColor>> rows;
  for (int f = 0; f < frames; ++f) rows.push_back({frameColour(f)});
  VSTGUI::images::registerForTest(name.c_str(), blocksPNG(width, height, rows));
  return new VSTGUI::CBitmap(name.c_str());
}

// The frame whose colour the pixel shows, or -1.
inline int frameShown(VSTGUI::CColor pixel, int frames) {
  for (int f = 0; f < frames; ++f) {
    if (pixel == frameColour(f)) return f;
  }
  return -1;
}

}  // namespace sorel::test
