#include "cairotextentry.h"

#include <algorithm>
#include <cmath>

#include "cdrawcontext.h"

namespace VSTGUI {

namespace {
constexpr CColor kSelectionColor{51, 153, 255, 255};
constexpr CColor kSelectedTextColor = kWhiteCColor;
constexpr CCoord kMargin = 2;  // between the box's sides and the text

bool printable(const VstKeyCode& key) {
  if (key.virt != 0 || (key.modifier & (MODIFIER_CONTROL | MODIFIER_COMMAND)) != 0) return false;
  return key.character >= 32 && key.character <= 126;
}
}  // namespace

CairoTextEntry::CairoTextEntry(IPlatformTextEditCallback* textField, Owner* backEnd)
    : field(textField), owner(backEnd) {
  const char* initial = field->platformGetText();
  text.assign(initial ? initial : "");
  if (text.size() > kMaxLength) text.resize(kMaxLength);
  caret = selectionEnd = text.size();
  selectionStart = 0;
  lastRect = getRect();
}

CairoTextEntry::~CairoTextEntry() {
  if (owner) owner->textEntryClosed(this, lastRect);
}

bool CairoTextEntry::setText(const char* newText) {
  text.assign(newText ? newText : "");
  if (text.size() > kMaxLength) text.resize(kMaxLength);
  moveCaret(text.size());
  changed();
  return true;
}

CRect CairoTextEntry::getRect() const { return field->platformGetEntryRect(); }

CColor CairoTextEntry::getBackColor() const {
  CColor back = field->platformGetBackColor();
  if (back.alpha == 0) return kWhiteCColor;
  back.alpha = 255;
  return back;
}

CColor CairoTextEntry::getTextColor() const {
  if (field->platformGetBackColor().alpha == 0) return kBlackCColor;
  CColor color = field->platformGetFontColor();
  color.alpha = 255;
  return color;
}

bool CairoTextEntry::handleKey(const VstKeyCode& key) {
  if (key.virt == VKEY_RETURN || key.virt == VKEY_ENTER) {
    remember();  // the field may release the entry from inside
    field->platformLooseFocus(true);
    forget();
    return true;
  }
  if (editKey(key)) {
    changed();
    return true;
  }
  remember();
  const bool used = field->platformOnKeyDown(key);
  forget();
  return used;
}

bool CairoTextEntry::editKey(const VstKeyCode& key) {
  switch (key.virt) {
    case VKEY_BACK:
      erase(false);
      return true;
    case VKEY_DELETE:
      erase(true);
      return true;
    case VKEY_LEFT:
      moveCaret(hasSelection() ? selectionStart : (caret > 0 ? caret - 1 : 0));
      return true;
    case VKEY_RIGHT:
      moveCaret(hasSelection() ? selectionEnd : std::min(caret + 1, text.size()));
      return true;
    case VKEY_HOME:
      moveCaret(0);
      return true;
    case VKEY_END:
      moveCaret(text.size());
      return true;
    case VKEY_SPACE:
      insert(' ');
      return true;
    default:
      if (!printable(key)) return false;
      insert(static_cast<char>(key.character));
      return true;
  }
}

void CairoTextEntry::insert(char c) {
  eraseSelection();
  if (text.size() >= kMaxLength) return;
  text.insert(caret, 1, c);
  moveCaret(caret + 1);
}

void CairoTextEntry::eraseSelection() {
  if (!hasSelection()) return;
  text.erase(selectionStart, selectionEnd - selectionStart);
  moveCaret(selectionStart);
}

void CairoTextEntry::erase(bool forward) {
  if (hasSelection()) {
    eraseSelection();
  } else if (forward && caret < text.size()) {
    text.erase(caret, 1);
  } else if (!forward && caret > 0) {
    text.erase(caret - 1, 1);
    moveCaret(caret - 1);
  }
}

void CairoTextEntry::moveCaret(std::size_t to) { caret = selectionStart = selectionEnd = std::min(to, text.size()); }

void CairoTextEntry::changed() {
  if (owner) owner->textEntryChanged(getRect());
}

void CairoTextEntry::draw(CDrawContext* context) {
  if (!context) return;
  lastRect = getRect();
  CRect clip = context->windowClip();
  clip.bound(lastRect);
  if (clip.isEmpty()) return;
  // Work in the context's local coordinates, whatever its origin.
  const CPoint origin = context->getOffset();
  CRect box = lastRect;
  box.offset(-origin.x, -origin.y);
  clip.offset(-origin.x, -origin.y);

  context->saveGlobalState();
  context->setClipRect(clip);
  context->setGlobalAlpha(1);
  context->setDrawMode(kAliasing);
  context->setLineWidth(1);
  context->setFillColor(getBackColor());
  context->drawRect(box, kDrawFilled);
  if (CFontRef font = field->platformGetFont()) context->setFont(font);
  drawText(context, box);
  context->restoreGlobalState();
}

void CairoTextEntry::drawText(CDrawContext* context, const CRect& box) {
  auto widthOf = [&](std::size_t n) { return n == 0 ? 0.0 : context->getStringWidth(text.substr(0, n).c_str()); };
  const CCoord full = widthOf(text.size());
  const CCoord room = std::max(0.0, box.getWidth() - 2 * kMargin);
  CCoord x = box.left + kMargin;
  if (full > room) {
    x -= std::max(0.0, widthOf(caret) - room);  // scrolled so the caret stays in view
  } else if (field->platformGetTextAlign() == kRightText) {
    x = box.right - kMargin - full;
  } else if (field->platformGetTextAlign() == kCenterText) {
    x = box.left + (box.getWidth() - full) / 2;
  }
  // The line's rectangle: the context places the text in it vertically by the
  // same rule as the field's own text.
  const CRect line(x, box.top, x + full, box.bottom);
  const CCoord size = context->getFontSize();
  const CCoord top = std::max(box.top, std::floor(box.top + (box.getHeight() - size) / 2) - 1);
  const CCoord bottom = std::min(box.bottom, top + size + 2);

  context->setFontColor(getTextColor());
  context->drawString(text.c_str(), line, kLeftText, true);
  if (hasSelection()) {
    CRect selection(std::round(x + widthOf(selectionStart)), top, std::round(x + widthOf(selectionEnd)), bottom);
    CRect clip;
    selection.bound(context->getClipRect(clip));
    context->setFillColor(kSelectionColor);
    context->drawRect(selection, kDrawFilled);
    context->saveGlobalState();
    context->setClipRect(selection);
    context->setFontColor(kSelectedTextColor);
    context->drawString(text.c_str(), line, kLeftText, true);
    context->restoreGlobalState();
  } else {
    const CCoord caretX = std::clamp(std::round(x + widthOf(caret)), box.left, box.right - 1);
    context->setFrameColor(getTextColor());
    context->drawLine(CPoint(caretX, top), CPoint(caretX, bottom - 1));
  }
}

}  // namespace VSTGUI
