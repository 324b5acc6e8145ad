// A control that paints itself grey in proportion to its value: 0 black,
// 1 white, so one pixel tells which value was drawn.
#pragma once

#include <cmath>

#include "ccontrol.h"
#include "cdrawcontext.h"

namespace sorel::test {

class ShadeControl : public VSTGUI::CControl {
 public:
  using CControl::CControl;

  static uint8_t shade(float value) { return static_cast<uint8_t>(std::lround(value * 255.f)); }

  void draw(VSTGUI::CDrawContext* context) override {
    const uint8_t grey = shade(getValueNormalized());
    context->setFillColor(VSTGUI::CColor{grey, grey, grey, 255});
    context->drawRect(getViewSize(), VSTGUI::kDrawFilled);
    setDirty(false);
  }
};

}  // namespace sorel::test
