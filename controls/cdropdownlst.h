// A drop-down box: shows the selected entry and, on a click, puts its pop-up
// list on the frame. Its value is the selected index / 128. Opening and
// closing are announced to the listener with the list itself (values 65535
// and 65534). A hidden box draws nothing and reports every choice, also a
// repeated one; a visible box reports only a change.
#pragma once

#include <string>

#include "ccolor.h"
#include "ccontrol.h"
#include "cfont.h"

namespace sorel {

class CLst;

class CDropdownLst : public VSTGUI::CControl, public VSTGUI::CControlListener {
 public:
  static constexpr int32_t kListTag = 9999;

  // The two text painters are not supported and must be null. The list opens
  // at the box moved right by listOffsetX and down by its height + listGapY.
  CDropdownLst(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag, void* textPainter,
               void* listTextPainter, int listOffsetX, int listGapY);
  ~CDropdownLst() override;

  void addEntry(const char* text);
  int getEntryCount() const;
  // Index = trunc(v * 128), limited to the last entry.
  void setValue(float v) override;
  void select(int index);
  void openList();
  void closeList();
  bool isOpen() const { return open; }
  bool isClosing() const { return closing; }
  CLst* getList() const { return list; }
  int getSelectedIndex() const { return selectedIndex; }
  const char* getCurrentText() const { return currentText; }
  // Moves the list by (-dx, +dy).
  void moveList(int dx, int dy);
  // Shown instead of the current entry; null clears it.
  void setTitle(const char* text);
  void setHidden(bool state) { hidden = state; }
  bool isHidden() const { return hidden; }
  void setShowText(bool state) { showText = state; }
  void setAcceptsClicks(bool state) { acceptsClicks = state; }
  void setDrawBox(bool state) { drawBox = state; }
  void setBoxBitmap(VSTGUI::CBitmap* bitmap);
  void setTextAlignment(int alignment) { textAlignment = alignment; }

  void setTextColor(VSTGUI::CColor color);
  VSTGUI::CColor getTextColor() const { return textColor; }
  void setDisabledTextColor(VSTGUI::CColor color) { disabledTextColor = color; }
  void setFillColor(VSTGUI::CColor color);
  void setFrameColor(VSTGUI::CColor color);
  void setFont(VSTGUI::CFontRef font);

  void setMouseEnabled(bool enabled = true) override;
  void draw(VSTGUI::CDrawContext* context) override;
  VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
  // Only for an entry-renaming field, which this editor never creates.
  void valueChanged(VSTGUI::CControl*) override {}
  using VSTGUI::CControl::valueChanged;
  bool isTypeOf(const char* type) const override;

 private:
  CLst* list;
  const char* currentText = "";
  int selectedIndex = 0;
  bool open = false;
  bool closing = false;
  std::string title;
  bool hasTitle = false;
  bool showText = true;
  bool acceptsClicks = true;
  bool hidden = false;
  bool drawBox = true;
  VSTGUI::CColor fillColor = VSTGUI::kBlackCColor;
  VSTGUI::CColor frameColor = VSTGUI::kBlackCColor;
  VSTGUI::CColor textColor = VSTGUI::kWhiteCColor;
  VSTGUI::CColor disabledTextColor = VSTGUI::kWhiteCColor;
  VSTGUI::CBitmap* boxBitmap = nullptr;
  VSTGUI::CFontRef font;
  int textAlignment = VSTGUI::kLeftText;
  int redrawCount = 0;
};

}  // namespace sorel
