// The editor's rotary control: a filmstrip knob whose clicks can be limited to
// the inscribed circle, which redraws at once after a default-value click and
// whose wheel steps always reach the listener.
#pragma once

#include "canimknob.h"

namespace sorel {

class CAnimKnobKst : public VSTGUI::CAnimKnob {
 public:
  CAnimKnobKst(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag, int32_t subPixmaps,
               VSTGUI::CCoord heightOfOneImage, VSTGUI::CBitmap* background, const VSTGUI::CPoint& offset);

  // Takes the circle from the current size: call it once the size is final.
  void setCircularHitArea(bool state);

  void draw(VSTGUI::CDrawContext* context) override;
  VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
  bool onWheel(const VSTGUI::CPoint& where, const float& distance, const VSTGUI::CButtonState& buttons) override;

 private:
  bool circularHit = false;
  float radiusSquared = 0.f;
  float centreX = 0.f;
  float centreY = 0.f;
};

}  // namespace sorel
