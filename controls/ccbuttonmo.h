// The editor's push button: an LED that acts when the mouse is released over
// it and draws normal, hovered, pressed, disabled and lit frames from a strip
// of 3, 4 or 8 frames. A head with members in forward-index mode makes the
// A/B/C selector.
#pragma once

#include "cled.h"

namespace sorel {

class CCButtonMO : public CLed {
 public:
  // A head; totalCount buttons in the group including this one.
  CCButtonMO(int style, const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag,
             VSTGUI::CBitmap* bitmap, int totalCount, int direction, int gap, bool noMembers);
  // A member, made by newMember; the head gives it its frame count and height.
  CCButtonMO(const VSTGUI::CRect& size, VSTGUI::CBitmap* bitmap, int memberIndex, CLed* head, int style);

  // Also on every member.
  virtual void setActOnRelease(int state);
  // Only the off, on and disabled frames; hover is not shown. Also on every
  // member.
  void setSimpleDrawing(bool state);
  bool isPressed() const { return pressed; }
  // The strip frame draw would paint now.
  int currentFrame() const;

  CLed* newMember(const VSTGUI::CRect& size, VSTGUI::CBitmap* bitmap, int memberIndex, CLed* head, int style) override;
  void draw(VSTGUI::CDrawContext* context) override;
  VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
  VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
  VSTGUI::CMouseEventResult onMouseEntered(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
  VSTGUI::CMouseEventResult onMouseExited(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
  void setMouseEnabled(bool enabled = true) override;
  bool removed(VSTGUI::CView* parent) override;
  void setValue(float v) override;
  bool isTypeOf(const char* type) const override;

 private:
  bool disabled = false;
  bool hovered = false;
  bool pressed = false;
  int frameHeight = 0;
  int actOnRelease = 1;
  VSTGUI::CButtonState savedButtons;
  bool simpleDrawing = false;
};

}  // namespace sorel
