// A knob drawn as one picture of a vertical film strip, chosen by the value:
// the minimum shows the first picture, the maximum the last.
#pragma once

#include "cknob.h"
#include "imultibitmapcontrol.h"

namespace VSTGUI {

class CAnimKnob : public CKnob, public IMultiBitmapControl {
 public:
  CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps, CCoord heightOfOneImage,
            CBitmap* background, const CPoint& offset = CPoint(0, 0));

  void draw(CDrawContext* context) override;
  // Where in the strip the picture for the current value starts.
  CPoint stripOffset() const;

  bool isTypeOf(const char* type) const override;
};

}  // namespace VSTGUI
