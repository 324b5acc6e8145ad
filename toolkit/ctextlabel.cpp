#include "ctextlabel.h"

#include <cstring>

namespace VSTGUI {

CTextLabel::CTextLabel(const CRect& rect, const char* text, CBitmap* background, int32_t style)
    : CParamDisplay(rect, background, style) {
  storeText(text ? text : "");
}

void CTextLabel::setText(const char* text) {
  if (!text) text = "";
  char current[kMaxTextLength + 1];
  copyText(current);
  if (std::strncmp(current, text, kMaxTextLength) == 0) return;
  storeText(text);
  setDirty();
}

const char* CTextLabel::getText() const {
  copyText(readCopy);
  return readCopy;
}

void CTextLabel::copyText(char (&out)[kMaxTextLength + 1]) const {
  for (;;) {
    const Slot& slot = slots[published.load(std::memory_order_acquire)];
    const uint32_t before = slot.sequence.load(std::memory_order_acquire);
    if (before & 1) continue;  // being rewritten: the next publication is close
    std::size_t length = 0;
    // Acquire loads: a character from a newer write brings that write's odd
    // sequence number along, so the check below sees the change.
    while (length < kMaxTextLength && (out[length] = slot.chars[length].load(std::memory_order_acquire)) != 0) {
      ++length;
    }
    out[length] = 0;
    if (slot.sequence.load(std::memory_order_relaxed) == before) return;
  }
}

void CTextLabel::storeText(const char* text) {
  // Claim a buffer nobody is writing; with fewer writers than buffers the
  // first try succeeds.
  uint32_t index = 0;
  uint32_t sequence = 0;
  do {
    index = nextSlot.fetch_add(1, std::memory_order_relaxed) % kSlots;
    sequence = slots[index].sequence.load(std::memory_order_relaxed);
  } while ((sequence & 1) ||
           !slots[index].sequence.compare_exchange_strong(sequence, sequence + 1, std::memory_order_relaxed));
  Slot& slot = slots[index];
  std::size_t length = 0;
  for (; length < kMaxTextLength && text[length]; ++length) {
    slot.chars[length].store(text[length], std::memory_order_release);
  }
  slot.chars[length].store(0, std::memory_order_release);
  slot.sequence.store(sequence + 2, std::memory_order_release);
  published.store(index, std::memory_order_release);
}

void CTextLabel::draw(CDrawContext* context) {
  drawBack(context);
  drawText(context, getText());
  setDirty(false);
}

bool CTextLabel::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CTextLabel") == 0 || CParamDisplay::isTypeOf(type));
}

}  // namespace VSTGUI
