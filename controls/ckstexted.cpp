#include "ckstexted.h"

#include <cstring>

#include "cbitmap.h"

namespace sorel {

using namespace VSTGUI;

CKstTextEd::CKstTextEd(const CRect& rect, CControlListener* l, int32_t t, const char*, CBitmap* background)
    : CTextEdit(rect, l, t, nullptr, background) {}

CKstTextEd::~CKstTextEd() {
  if (alternateBitmap) alternateBitmap->forget();
}

void CKstTextEd::setText(const char* newText) {
  if (newText) {
    std::strncpy(textBuffer, newText, kTextCapacity - 1);
    textBuffer[kTextCapacity - 1] = 0;
  }
  setDirty(true);
}

const char* CKstTextEd::getText() const { return showText ? textBuffer : hiddenText; }

void CKstTextEd::setValue(float v) {
  const bool clean = getOldValue() == CControl::getValue();
  value.store(v, std::memory_order_relaxed);
  if (clean) setOldValue(v);  // a value alone changes nothing on screen
}

void CKstTextEd::setAlignment(int alignment) {
  alignmentCopy = alignment;
  setHoriAlign(static_cast<CHoriTxtAlign>(alignment));
}

void CKstTextEd::setLook(bool drawBackgroundIn, int state) {
  const bool changed = drawBackgroundIn != drawBackground;
  drawBackground = drawBackgroundIn;
  lookState = state;
  if (changed) invalid();
}

void CKstTextEd::setAlternateBitmap(CBitmap* bitmap) {
  if (bitmap) bitmap->remember();
  if (alternateBitmap) alternateBitmap->forget();
  alternateBitmap = bitmap;
}

void CKstTextEd::draw(CDrawContext* context) {
  if (drawBackground) {
    CBitmap* bitmap = getBackground();
    if (lookState == 1 && alternateBitmap) bitmap = alternateBitmap;
    if (bitmap) bitmap->draw(context, size, CPoint(0, 0), 1.f);
  }
  drawText(context, getText());
  setDirty(false);
}

bool CKstTextEd::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CKstTextEd") == 0 || CTextEdit::isTypeOf(type));
}

}  // namespace sorel
