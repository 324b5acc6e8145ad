// The editor's text field: a value read-out that takes typed values through
// the toolkit's text entry, or (mouse disabled) a display-only field. While
// show-text is off it keeps its text but draws only its background.
//
// The editor writes the text on the window's thread only (values from other
// threads wait for the next idle), so the buffer needs no guarding.
#pragma once

#include "ctextedit.h"

namespace sorel {

class CKstTextEd : public VSTGUI::CTextEdit {
 public:
  static constexpr int kTextCapacity = 256;

  // The text given here is not kept: the field starts empty.
  CKstTextEd(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag, const char* text,
             VSTGUI::CBitmap* background);
  ~CKstTextEd() override;

  // Copies at most 255 characters; null keeps the text. Always marks dirty.
  void setText(const char* text) override;
  // The text while show-text is on, else an empty text.
  const char* getText() const override;
  // Stores only: no clamping, no notification, no redraw.
  void setValue(float v) override;
  // 0 left, 1 centre, 2 right.
  void setAlignment(int alignment);
  // With state 1 and an alternate bitmap, that bitmap replaces the background.
  void setLook(bool drawBackground, int state);
  void setAlternateBitmap(VSTGUI::CBitmap* bitmap);
  void setShowText(bool state) { showText = state; }
  bool getShowText() const { return showText; }

  void draw(VSTGUI::CDrawContext* context) override;
  bool isTypeOf(const char* type) const override;

 private:
  char textBuffer[kTextCapacity] = {};
  const char* hiddenText = "";
  bool showText = false;
  int alignmentCopy = VSTGUI::kRightText;
  bool drawBackground = true;
  int lookState = 0;
  VSTGUI::CBitmap* alternateBitmap = nullptr;
};

}  // namespace sorel
