// A display that shows a text of its own instead of its value.
//
// The text may be set from any thread (the editor passes parameter texts on
// from whichever thread changed the parameter, the audio thread included), so
// the writer must neither lock nor allocate. It is kept in a small ring of
// fixed buffers, each guarded by a sequence counter (odd while being written):
// a writer claims the next free buffer, fills it and publishes its index; a
// reader copies the published buffer and retries if its counter moved
// meanwhile. Every shared byte is an atomic, so the scheme is free of data
// races as the language defines them. getText hands out the reader's copy,
// which belongs to the UI thread.
#pragma once

#include <atomic>
#include <cstddef>

#include "cparamdisplay.h"

namespace VSTGUI {

class CTextLabel : public CParamDisplay {
 public:
  static constexpr std::size_t kMaxTextLength = 255;

  CTextLabel(const CRect& size, const char* text = nullptr, CBitmap* background = nullptr, int32_t style = 0);

  // Any thread. At most kMaxTextLength characters are kept; null clears the
  // text. The label becomes dirty only when the text changes.
  virtual void setText(const char* text);
  // UI thread. Valid until the next getText call on this label.
  virtual const char* getText() const;

  void draw(CDrawContext* context) override;
  bool isTypeOf(const char* type) const override;

 private:
  static constexpr uint32_t kSlots = 4;
  struct Slot {
    std::atomic<uint32_t> sequence{0};
    std::atomic<char> chars[kMaxTextLength + 1];
  };

  // A consistent copy of the published text.
  void copyText(char (&out)[kMaxTextLength + 1]) const;
  void storeText(const char* text);

  Slot slots[kSlots];
  std::atomic<uint32_t> nextSlot{0};
  std::atomic<uint32_t> published{0};
  mutable char readCopy[kMaxTextLength + 1] = {};
};

}  // namespace VSTGUI
