// The editor's two-state picture control. One class serves as on/off switch,
// display-only lamp, invisible momentary click area, and head of a group of
// LEDs whose members report their clicks through the head.
//
// Values: a plain LED reports 0.0 or 1.0; a group member's click reports the
// head with (member index) / 128; a momentary LED reports 0.0 at the press.
#pragma once

#include "conoffbutton.h"

namespace VSTGUI {
class CViewContainer;
}

namespace sorel {

class CLed : public VSTGUI::COnOffButton {
 public:
  static constexpr int kStyleFirstFrameOnly = 2;

  // A plain LED (totalCount 1) or the head of a group of totalCount LEDs.
  // It starts lit; the editor gives it its value afterwards.
  CLed(int style, const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag, VSTGUI::CBitmap* bitmap,
       int totalCount, int direction, int gap, bool noMembers);
  // A group member (the member factory's constructor).
  CLed(const VSTGUI::CRect& size, VSTGUI::CBitmap* bitmap, int memberIndex, CLed* head, int style);
  ~CLed() override;

  // --- Group building (overridable) ---
  virtual CLed** allocMembers(int count);
  virtual CLed* newMember(const VSTGUI::CRect& size, VSTGUI::CBitmap* bitmap, int memberIndex, CLed* head, int style);
  virtual void memberClicked(int unused, int memberIndex);
  virtual void toggle(int unused, const VSTGUI::CPoint& where);
  virtual void createMembers();

  // --- Used by the editor ---
  // No redraw request.
  void setOn(bool state);
  bool isOn() const { return on; }
  void setMomentary(bool alsoMembers);
  int getMemberCount() const { return memberCount; }
  // Member i (0-based), or null outside the group.
  CLed* getMember(int i) const;
  // Member i (1-based) sits at the head's rectangle moved by (dx, dy).
  void setMemberPosition(int i, int dx, int dy);
  // i = 0: the head; 1..count: member i. The view takes the bitmap's width
  // and one frame's height; without a bitmap it becomes empty.
  void setMemberBitmap(int i, VSTGUI::CBitmap* bitmap, int frames);
  // Adds every container member to a and to b (either may be null); each
  // container gets its own reference.
  void addMembersTo(VSTGUI::CViewContainer* a, VSTGUI::CViewContainer* b);

  // --- CView / CControl ---
  void draw(VSTGUI::CDrawContext* context) override;
  VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
  VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
  VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
  bool onWheel(const VSTGUI::CPoint&, const float&, const VSTGUI::CButtonState&) override { return false; }
  void setTransparency(bool state) override;
  void setValue(float v) override;
  float getValue() const override;
  bool isTypeOf(const char* type) const override;

 protected:
  bool isPlain() const { return !groupHead && memberCount == 0; }
  // The value as stored, bypassing setValue's decoding.
  void storeValue(float v) { VSTGUI::CControl::setValue(v); }
  float storedValue() const { return VSTGUI::CControl::getValue(); }
  void notify();

  int frameCount = 1;
  bool momentaryPressed = false;
  int memberCount = 0;
  CLed* groupHead = nullptr;
  int direction = 0;
  int memberIndex = 0;
  CLed** members = nullptr;
  bool on = false;
  float lastSetValue = -1.f;
  int gap = 0;
  int style = 0;
  bool momentary = false;
  bool forwardIndex = false;
  VSTGUI::CButtonState lastButtons;
  bool containerMember = true;
};

}  // namespace sorel
