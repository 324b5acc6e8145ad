// A rotary control. Dragging changes the value either along a line (up and
// right increase it) or by the angle about the knob's centre, depending on
// the frame's knob mode; Alt swaps the two, Shift makes a linear drag finer.
// The knob draws only its background: its look comes from the derived
// classes (the film-strip knob).
#pragma once

#include "ccontrol.h"

namespace VSTGUI {

class CKnob : public CControl {
 public:
  CKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background, CBitmap* handle,
        const CPoint& offset = CPoint(0, 0));
  ~CKnob() override;

  void draw(CDrawContext* context) override;

  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

  // Angles in radians, in window orientation (y down, so increasing angles
  // turn clockwise); the value's minimum sits at the start angle.
  virtual void setStartAngle(float angle) { startAngle = angle; }
  virtual void setRangeAngle(float angle) { rangeAngle = angle; }
  // How much finer a linear drag gets with the zoom modifier.
  virtual void setZoomFactor(float factor) { zoomFactor = factor; }
  virtual void setHandleBitmap(CBitmap* bitmap);
  const CPoint& getOffset() const { return backgroundOffset; }

  // The normalised value (0..1) a point (parent coordinates) stands for on the
  // knob's arc. Points in the gap below the arc give the nearer end.
  virtual float valueFromPoint(const CPoint& where) const;

  bool isTypeOf(const char* type) const override;

  // Pixels of linear drag for the whole range.
  static constexpr CCoord kLinearRange = 200;

 private:
  // Start point, entry value and drag kind for the modifiers held now.
  void startDrag(const CPoint& where, const CButtonState& buttons);
  float linearValue(const CPoint& where) const;
  float circularValue(const CPoint& where) const;

  CPoint backgroundOffset;
  float startAngle;
  float rangeAngle;
  float zoomFactor = 1.5f;
  CBitmap* handleBitmap = nullptr;

  // The drag in progress.
  CPoint firstPoint;
  float entryValue = 0;
  CCoord dragRange = kLinearRange;
  bool linearDrag = false;
  int32_t dragModifiers = 0;
};

}  // namespace VSTGUI
