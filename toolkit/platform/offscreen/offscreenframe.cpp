#include "offscreenframe.h"

#include <algorithm>
#include <cmath>

#include "platform/backends.h"
#include "platform/cairo/cairodrawcontext.h"

namespace VSTGUI::offscreen {

namespace {
int pixels(CCoord length) { return std::max(1, static_cast<int>(std::lround(length))); }
}  // namespace

IPlatformFrame* createFrame(IPlatformFrameCallback* frame, const CRect& size) {
  return frame ? new OffscreenFrame(frame, size) : nullptr;
}

OffscreenFrame::OffscreenFrame(IPlatformFrameCallback* frame, const CRect& rect)
    : callback(frame),
      size(0, 0, rect.getWidth(), rect.getHeight()),
      surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels(rect.getWidth()), pixels(rect.getHeight()))),
      pending(size) {}

OffscreenFrame::~OffscreenFrame() {
  if (textEntry) textEntry->detachOwner();
  cairo_surface_destroy(surface);
}

void OffscreenFrame::invalidRect(const CRect& rect) { pending.add(rect); }

bool OffscreenFrame::getCurrentMousePosition(CPoint& where) const {
  where = mousePosition;
  return true;
}

bool OffscreenFrame::getCurrentMouseButtons(CButtonState& buttons) const {
  buttons = mouseButtons;
  return true;
}

void OffscreenFrame::setMouseState(const CPoint& where, const CButtonState& buttons) {
  mousePosition = where;
  mouseButtons = buttons;
}

IPlatformTextEdit* OffscreenFrame::createPlatformTextEdit(IPlatformTextEditCallback* field) {
  if (!field) return nullptr;
  if (textEntry) textEntry->detachOwner();  // its field keeps it, but it no longer gets keys
  textEntry = new CairoTextEntry(field, this);
  invalidRect(textEntry->getRect());
  return textEntry;
}

void OffscreenFrame::textEntryClosed(CairoTextEntry* entry, const CRect& rect) {
  if (entry != textEntry) return;
  textEntry = nullptr;
  invalidRect(rect);
}

void OffscreenFrame::paintPending() {
  if (painting || pending.empty()) return;
  painting = true;
  remember();
  const std::vector<CRect> rects = pending.take();
  CairoDrawContext context(surface);
  for (const CRect& rect : rects) {
    context.resetState();
    context.setClipRect(rect);
    callback->platformDrawRect(&context, rect);
    if (textEntry) {
      context.resetState();
      context.setClipRect(rect);
      textEntry->draw(&context);
    }
    painted.push_back(rect);
  }
  cairo_surface_flush(surface);
  painting = false;
  forget();
}

std::vector<CRect> OffscreenFrame::takePaintedRects() {
  std::vector<CRect> result;
  result.swap(painted);
  return result;
}

}  // namespace VSTGUI::offscreen
