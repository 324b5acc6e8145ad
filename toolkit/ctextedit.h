// A text label that the user can edit in place. A left click gives it the
// focus, which opens the platform's entry over it; Return or Enter, a click
// elsewhere or the entry losing the keyboard commit the typed text as one
// edit gesture; Escape restores the text and reports nothing.
#pragma once

#include <string>

#include "ctextlabel.h"
#include "platform/iplatform.h"

namespace VSTGUI {

class CTextEdit : public CTextLabel, public IPlatformTextEditCallback {
 public:
  CTextEdit(const CRect& size, CControlListener* listener, int32_t tag, const char* text = nullptr,
            CBitmap* background = nullptr, int32_t style = 0);
  ~CTextEdit() override;

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  int32_t onKeyDown(VstKeyCode& keyCode) override;
  // Opens the entry.
  void takeFocus() override;
  // Closes the entry and commits its text unless it was cancelled.
  void looseFocus() override;

  bool isTypeOf(const char* type) const override;

  // --- IPlatformTextEditCallback ---
  CRect platformGetEntryRect() const override;
  const char* platformGetText() const override;
  CFontRef platformGetFont() const override;
  CColor platformGetFontColor() const override;
  CColor platformGetBackColor() const override;
  CHoriTxtAlign platformGetTextAlign() const override;
  void platformLooseFocus(bool returnPressed) override;
  bool platformOnKeyDown(const VstKeyCode& key) override;

 private:
  // Return, Enter and Escape; true when `key` was one of them.
  bool handleEntryKey(const VstKeyCode& key);
  // Leaves the entry through the frame, so the frame forgets its focus view.
  void endEntry();
  void cancel();

  IPlatformTextEdit* platformEntry = nullptr;
  std::string textOnOpen;
  bool cancelled = false;
};

}  // namespace VSTGUI
