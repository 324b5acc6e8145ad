// The off-screen back-end's window: an ARGB32 cairo image of the frame's
// size. Invalid rects are collected until paintPending paints them; the mouse
// state is whatever the test driver last sent.
#pragma once

#include <cairo.h>

#include <vector>

#include "platform/updateregion.h"
#include "platform/cairo/cairotextentry.h"
#include "platform/iplatform.h"

namespace VSTGUI::offscreen {

class OffscreenFrame : public IPlatformFrame, private CairoTextEntry::Owner {
 public:
  OffscreenFrame(IPlatformFrameCallback* frame, const CRect& size);
  ~OffscreenFrame() override;

  CRect getSize() const override { return size; }
  // Adds the rect, grown to whole pixels, to the pending list; overlapping
  // rects merge into their union.
  void invalidRect(const CRect& rect) override;
  bool getCurrentMousePosition(CPoint& where) const override;
  bool getCurrentMouseButtons(CButtonState& buttons) const override;
  IPlatformTextEdit* createPlatformTextEdit(IPlatformTextEditCallback* field) override;
  void pumpEvents() override {}
  // Paints each pending rect through the frame with a fresh context state,
  // then the open text entry above it.
  void paintPending() override;

  // --- For the driver ---
  void setMouseState(const CPoint& where, const CButtonState& buttons);
  CairoTextEntry* getTextEntry() const { return textEntry; }
  const std::vector<CRect>& getPendingRects() const { return pending.get(); }
  // The rects painted since the last call.
  std::vector<CRect> takePaintedRects();
  cairo_surface_t* getSurface() const { return surface; }

 private:
  void textEntryChanged(const CRect& rect) override { invalidRect(rect); }
  void textEntryClosed(CairoTextEntry* entry, const CRect& rect) override;

  IPlatformFrameCallback* callback;
  CRect size;
  cairo_surface_t* surface;
  UpdateRegion pending;
  std::vector<CRect> painted;
  CPoint mousePosition;
  CButtonState mouseButtons;
  CairoTextEntry* textEntry = nullptr;  // owned by its text field
  bool painting = false;
};

}  // namespace VSTGUI::offscreen
