// The pop-up list of a drop-down box: one row per entry, the entry under the
// mouse highlighted. It sits on the frame while its box is open, takes every
// click (a click outside it closes it through its box) and hands an accepted
// choice to its box.
#pragma once

#include <string>
#include <vector>

#include "cparamdisplay.h"

namespace sorel {

class CDropdownLst;

class CLst : public VSTGUI::CParamDisplay {
 public:
  static constexpr int kTextCapacity = 128;
  static constexpr float kOpenValue = 65535.f;
  static constexpr float kClosedValue = 65534.f;

  // One entry: a node of the list's singly linked entry chain.
  struct SList {
    char text[kTextCapacity];
    int index;
    SList* next;
  };

  // `size` is where the list opens; its height follows the entries.
  CLst(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag, CDropdownLst* owner);
  ~CLst() override;

  void addEntry(const char* text);
  // Null outside 0 .. count - 1.
  const char* entryText(int index) const;
  int getEntryCount() const { return entryCount; }
  // One flag per current entry, all cleared; a set flag makes the entry
  // unclickable.
  void resetDisabled();
  void setEntryDisabled(int index, bool state);
  void setRowHeight(int height);
  int getRowHeight() const { return rowHeight; }
  // Grows the list by l to the left, t up, r to the right and b down.
  void grow(int l, int t, int r, int b);
  // Moves where the list opens.
  void moveBy(VSTGUI::CCoord dx, VSTGUI::CCoord dy);
  void setHighlightColor(VSTGUI::CColor color) { highlightColor = color; }
  void setFillColor(VSTGUI::CColor color) { fillColor = color; }
  void setListFrameColor(VSTGUI::CColor color) { listFrameColor = color; }
  void setTextIndent(VSTGUI::CCoord indent) { textIndent = indent; }
  // The editor's idle passes the mouse position (window coordinates).
  void trackHover(const VSTGUI::CPoint& where);
  int getHovered() const { return hovered; }
  CDropdownLst* getOwner() const { return owner; }
  // The entry whose row holds y (parent coordinates), or -1.
  int entryAt(VSTGUI::CCoord y) const;

  // Own value without an owner; with one, 65535 while the owner's list is
  // open and 65534 once it is closing or closed.
  float getValue() const override;
  bool hitTest(const VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons = -1) override;
  void draw(VSTGUI::CDrawContext* context) override;
  VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
  VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
  VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
  bool isTypeOf(const char* type) const override;

 private:
  struct Row {
    std::string text;
    int index;
    int top, bottom;  // from the list's top
  };

  void handleClick(const VSTGUI::CPoint& where);
  void updateSize();

  SList* entries = nullptr;
  std::vector<Row> rows;
  int entryCount = 0;
  int nextIndex = 0;
  CDropdownLst* owner;
  int rowHeight = 16;
  VSTGUI::CColor highlightColor = VSTGUI::kWhiteCColor;
  VSTGUI::CColor fillColor = VSTGUI::kBlackCColor;
  VSTGUI::CColor listFrameColor = VSTGUI::kBlackCColor;
  VSTGUI::CCoord textIndent = 0;
  int hovered = -1;
  int clicked = -1;
  int selected = 0;
  std::vector<bool> disabled;
  VSTGUI::CRect origin;  // where the list opens, before growing
  VSTGUI::CRect growth;  // left, top, right, bottom
};

}  // namespace sorel
