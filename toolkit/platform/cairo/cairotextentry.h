// The in-place text entry of the Linux and off-screen back-ends: a small
// self-drawn single-line editor that sits opaque above the text field. The
// frame does not know about it; the back-end paints it after the frame has
// painted and hands it the keyboard while it is open.
#pragma once

#include <cstddef>
#include <string>

#include "platform/iplatform.h"

namespace VSTGUI {

class CairoTextEntry : public IPlatformTextEdit {
 public:
  // What the back-end does for the entry.
  class Owner {
   public:
    virtual ~Owner() = default;
    // `rect` (window coordinates) needs a repaint.
    virtual void textEntryChanged(const CRect& rect) = 0;
    // The entry is going away; `rect` is where it was.
    virtual void textEntryClosed(CairoTextEntry* entry, const CRect& rect) = 0;
  };

  static constexpr std::size_t kMaxLength = 255;

  // Opens over `field` with all of its text selected.
  CairoTextEntry(IPlatformTextEditCallback* field, Owner* owner);
  ~CairoTextEntry() override;

  const char* getText() const override { return text.c_str(); }
  bool setText(const char* newText) override;

  // A key while the entry is open. False when neither the entry nor its field
  // used it. The field may release the entry from inside.
  bool handleKey(const VstKeyCode& key);
  // Paints the entry over its rectangle, within the context's current clip.
  void draw(CDrawContext* context);
  // The entry's rectangle in window coordinates.
  CRect getRect() const;
  // The back-end is going away first.
  void detachOwner() { owner = nullptr; }

  std::size_t getCaret() const { return caret; }
  bool hasSelection() const { return selectionStart != selectionEnd; }
  // The colours the entry paints with: the field's, or readable defaults when
  // the field's background is fully transparent.
  CColor getBackColor() const;
  CColor getTextColor() const;

 private:
  bool editKey(const VstKeyCode& key);
  void insert(char c);
  void eraseSelection();
  void erase(bool forward);
  void moveCaret(std::size_t to);
  void changed();
  void drawText(CDrawContext* context, const CRect& box);

  IPlatformTextEditCallback* field;
  Owner* owner;
  std::string text;
  std::size_t caret = 0;
  std::size_t selectionStart = 0;
  std::size_t selectionEnd = 0;
  CRect lastRect;
};

}  // namespace VSTGUI
