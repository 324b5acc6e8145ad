#include "ctextedit.h"

#include <cstring>

#include "cframe.h"

namespace VSTGUI {

CTextEdit::CTextEdit(const CRect& rect, CControlListener* l, int32_t t, const char* text, CBitmap* background,
                     int32_t style)
    : CTextLabel(rect, text, background, style) {
  listener = l;
  tag = t;
  setWantsFocus(true);
}

CTextEdit::~CTextEdit() {
  if (platformEntry) platformEntry->forget();
}

void CTextEdit::draw(CDrawContext* context) {
  if (!platformEntry) {
    CTextLabel::draw(context);
    return;
  }
  drawBack(context);  // the entry shows the text
  setDirty(false);
}

CMouseEventResult CTextEdit::onMouseDown(CPoint&, const CButtonState& buttons) {
  CFrame* frame = getFrame();
  if (!buttons.isLeftButton()) {
    // The dispatch gave this view the focus before asking it; only a left
    // click keeps the entry open.
    if (frame && frame->getFocusView() == this) frame->setFocusView(nullptr);
    return kMouseEventNotHandled;
  }
  if (frame && frame->getFocusView() != this) frame->setFocusView(this);
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

int32_t CTextEdit::onKeyDown(VstKeyCode& keyCode) {
  if (!platformEntry) return -1;
  return handleEntryKey(keyCode) ? 1 : -1;
}

void CTextEdit::takeFocus() {
  if (platformEntry) return;
  CFrame* frame = getFrame();
  IPlatformFrame* window = frame ? frame->getPlatformFrame() : nullptr;
  if (!window) return;
  textOnOpen = getText();
  cancelled = false;
  platformEntry = window->createPlatformTextEdit(this);
  invalid();
}

void CTextEdit::looseFocus() {
  if (!platformEntry) return;
  remember();  // the listener may remove this view
  IPlatformTextEdit* entry = platformEntry;
  platformEntry = nullptr;
  const std::string typed = entry->getText() ? entry->getText() : "";
  entry->forget();
  const bool commit = !cancelled && typed != getText();
  cancelled = false;
  if (commit) {
    beginEdit();
    setText(typed.c_str());
    valueChanged();
    endEdit();
  }
  invalid();
  forget();
}

bool CTextEdit::handleEntryKey(const VstKeyCode& key) {
  if (key.virt == VKEY_RETURN || key.virt == VKEY_ENTER) {
    endEntry();
    return true;
  }
  if (key.virt == VKEY_ESCAPE) {
    cancel();
    return true;
  }
  return false;
}

void CTextEdit::cancel() {
  if (platformEntry) platformEntry->setText(textOnOpen.c_str());
  cancelled = true;
  endEntry();
}

void CTextEdit::endEntry() {
  CFrame* frame = getFrame();
  if (frame && frame->getFocusView() == this) {
    frame->setFocusView(nullptr);
  } else {
    looseFocus();
  }
}

CRect CTextEdit::platformGetEntryRect() const {
  CPoint topLeft = size.getTopLeft();
  localToFrame(topLeft);
  CRect entry(topLeft.x, topLeft.y, topLeft.x + size.getWidth(), topLeft.y + size.getHeight());
  entry.inset(textInset.x, textInset.y);
  return entry;
}

const char* CTextEdit::platformGetText() const { return getText(); }
CFontRef CTextEdit::platformGetFont() const { return fontID; }
CColor CTextEdit::platformGetFontColor() const { return fontColor; }
CColor CTextEdit::platformGetBackColor() const { return backColor; }
CHoriTxtAlign CTextEdit::platformGetTextAlign() const { return horiTxtAlign; }

void CTextEdit::platformLooseFocus(bool) { endEntry(); }

bool CTextEdit::platformOnKeyDown(const VstKeyCode& key) { return handleEntryKey(key); }

bool CTextEdit::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CTextEdit") == 0 || CTextLabel::isTypeOf(type));
}

}  // namespace VSTGUI
