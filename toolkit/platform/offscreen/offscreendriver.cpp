// The test driver: synthetic input through the frame's platform callbacks,
// and the off-screen image read back.
#include "offscreen.h"

#include <cairo.h>

#include <cstring>

#include "offscreenframe.h"
#include "offscreenservices.h"
#include "platform/backends.h"

namespace VSTGUI::offscreen {

namespace {
constexpr int32_t kModifierBits = kShift | kControl | kAlt | kApple;

uint8_t unpremultiply(uint32_t channel, uint32_t alpha) {
  return static_cast<uint8_t>(alpha == 0 ? 0 : (channel * 255 + alpha / 2) / alpha);
}
}  // namespace

Driver::Driver(CFrame* f) : frame(f) { frame->remember(); }

Driver::~Driver() { frame->forget(); }

OffscreenFrame* Driver::window() const { return dynamic_cast<OffscreenFrame*>(frame->getPlatformFrame()); }

// --- Output ---

void Driver::idle() {
  if (!window()) return;
  frame->idle();
  render();
}

void Driver::render() {
  if (OffscreenFrame* w = window()) w->paintPending();
}

void Driver::renderAll() {
  if (OffscreenFrame* w = window()) {
    w->invalidRect(w->getSize());
    w->paintPending();
  }
}

bool Driver::writePNG(const std::string& path) const {
  OffscreenFrame* w = window();
  return w && cairo_surface_write_to_png(w->getSurface(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

CColor Driver::pixel(int x, int y) const {
  OffscreenFrame* w = window();
  if (!w) return CColor{0, 0, 0, 0};
  cairo_surface_t* surface = w->getSurface();
  cairo_surface_flush(surface);
  if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(surface) || y >= cairo_image_surface_get_height(surface)) {
    return CColor{0, 0, 0, 0};
  }
  const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
  uint32_t argb;
  std::memcpy(&argb, row + 4 * x, sizeof argb);  // native-endian 0xAARRGGBB
  const uint32_t alpha = argb >> 24;
  return CColor{unpremultiply((argb >> 16) & 0xff, alpha), unpremultiply((argb >> 8) & 0xff, alpha),
                unpremultiply(argb & 0xff, alpha), static_cast<uint8_t>(alpha)};
}

std::vector<CRect> Driver::pendingInvalidRects() const {
  OffscreenFrame* w = window();
  return w ? w->getPendingRects() : std::vector<CRect>();
}

std::vector<CRect> Driver::takePaintedRects() {
  OffscreenFrame* w = window();
  return w ? w->takePaintedRects() : std::vector<CRect>();
}

// --- Input ---

CMouseEventResult Driver::mouseDown(CPoint where, int32_t buttons) {
  OffscreenFrame* w = window();
  if (!w) return kMouseEventNotHandled;
  w->setMouseState(where, buttons);
  return frame->platformOnMouseDown(where, buttons);
}

CMouseEventResult Driver::mouseMove(CPoint where, int32_t buttons) {
  OffscreenFrame* w = window();
  if (!w) return kMouseEventNotHandled;
  w->setMouseState(where, buttons);
  return frame->platformOnMouseMoved(where, buttons);
}

CMouseEventResult Driver::mouseUp(CPoint where, int32_t buttons) {
  OffscreenFrame* w = window();
  if (!w) return kMouseEventNotHandled;
  w->setMouseState(where, buttons & kModifierBits);  // the button is up by now
  return frame->platformOnMouseUp(where, buttons);
}

void Driver::click(CPoint where, int32_t buttons) {
  mouseDown(where, buttons);
  mouseUp(where, buttons);
}

void Driver::drag(CPoint from, CPoint to, int32_t buttons, int steps) {
  mouseDown(from, buttons);
  const int n = steps > 0 ? steps : 1;
  for (int i = 1; i <= n; ++i) {
    const CCoord t = static_cast<CCoord>(i) / n;
    mouseMove(CPoint(from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t), buttons);
  }
  mouseUp(to, buttons);
}

bool Driver::wheel(CPoint where, float distance, int32_t modifiers) {
  OffscreenFrame* w = window();
  if (!w) return false;
  CButtonState current;
  w->getCurrentMouseButtons(current);
  const int32_t state = current.getButtonState() | (modifiers & kModifierBits);
  w->setMouseState(where, state);
  return frame->platformOnMouseWheel(where, distance, state);
}

void Driver::hover(CPoint where) { mouseMove(where, 0); }

void Driver::leave() {
  OffscreenFrame* w = window();
  if (!w) return;
  CPoint where;
  CButtonState buttons;
  w->getCurrentMousePosition(where);
  w->getCurrentMouseButtons(buttons);
  frame->platformOnMouseExited(where, buttons);
}

int32_t Driver::keyDown(VstKeyCode key) {
  OffscreenFrame* w = window();
  if (!w) return -1;
  if (CairoTextEntry* entry = w->getTextEntry()) {
    // The field's answer may close the entry, or the frame (the driver's
    // reference keeps the frame object).
    CFrame::UIScope scope;
    const bool used = entry->handleKey(key);
    if (used) return 1;
    if (!frame->isOpen()) return -1;
  }
  return frame->platformOnKeyDown(key);
}

int32_t Driver::keyUp(VstKeyCode key) {
  OffscreenFrame* w = window();
  if (!w) return -1;
  if (w->getTextEntry()) return 1;  // the entry has the keyboard
  return frame->platformOnKeyUp(key);
}

void Driver::type(const char* text) {
  for (const char* c = text; c && *c; ++c) {
    const VstKeyCode key{static_cast<unsigned char>(*c), 0, 0};
    keyDown(key);
    keyUp(key);
  }
}

const char* Driver::textEntryText() const {
  OffscreenFrame* w = window();
  CairoTextEntry* entry = w ? w->getTextEntry() : nullptr;
  return entry ? entry->getText() : nullptr;
}

// --- Services ---

void Driver::wait(uint32_t milliseconds) { sleep(milliseconds); }

uint32_t Driver::now() { return ticks(); }

std::vector<std::string> Driver::openedURLs() { return recordedURLs(); }

void Driver::clearOpenedURLs() { clearRecordedURLs(); }

}  // namespace VSTGUI::offscreen
