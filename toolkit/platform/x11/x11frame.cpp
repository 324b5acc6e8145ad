#include "x11frame.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <cairo-xlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/cairo/cairodrawcontext.h"
#include "x11errortrap.h"

namespace VSTGUI::x11 {

namespace {
constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                            LeaveWindowMask | KeyPressMask | KeyReleaseMask | FocusChangeMask | StructureNotifyMask;
constexpr long kXEmbedMapped = 1;
// cairo's largest image side.
constexpr int kMaxSide = 32767;

int pixels(CCoord length) { return std::clamp(static_cast<int>(std::lround(length)), 1, kMaxSide); }

// A shared area, not just a shared edge.
bool intersects(const CRect& a, const CRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

CPoint pointOf(int x, int y) { return CPoint(x, y); }
}  // namespace

X11Frame* X11Frame::create(IPlatformFrameCallback* frame, const CRect& size, void* parent) {
  const auto parentId = static_cast<Window>(reinterpret_cast<uintptr_t>(parent));
  if (!frame || parentId == 0 || size.getWidth() <= 0 || size.getHeight() <= 0) return nullptr;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return nullptr;
  auto* x11Frame = new X11Frame(frame, size, display);
  if (!x11Frame->openWindow(parentId)) {
    x11Frame->forget();
    return nullptr;
  }
  return x11Frame;
}

X11Frame::X11Frame(IPlatformFrameCallback* frame, const CRect& rect, Display* connection)
    : callback(frame),
      size(0, 0, pixels(rect.getWidth()), pixels(rect.getHeight())),
      owner(std::this_thread::get_id()),
      display(connection),
      invalid(size),
      exposed(size) {}

X11Frame::~X11Frame() {
  if (textEntry) textEntry->detachOwner();
  {
    X11ErrorTrap trap(display, window);
    // The surfaces go before the window and the connection they use (cairo
    // keeps server-side copies of the image while the connection lives).
    if (windowSurface) cairo_surface_destroy(windowSurface);
    if (image) cairo_surface_destroy(image);
    if (window && !windowGone) XDestroyWindow(display, window);
    XCloseDisplay(display);  // waits for the server: late errors land in the trap
  }
}

bool X11Frame::openWindow(Window parent) {
  X11ErrorTrap trap(display, parent);
  parentWindow = parent;
  const int width = static_cast<int>(size.getWidth());
  const int height = static_cast<int>(size.getHeight());
  XSetWindowAttributes attributes{};
  attributes.background_pixmap = None;  // no flash of a background colour before the first paint
  attributes.event_mask = kEventMask;
  window = XCreateWindow(display, parent, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                         CopyFromParent, InputOutput, CopyFromParent, CWBackPixmap | CWEventMask, &attributes);
  trap.sync();
  if (trap.errorCount() != 0 || window == 0) {
    windowGone = true;  // nothing was created: leave the id alone
    return false;
  }
  setEmbedInfo();
  XMapWindow(display, window);
  XWindowAttributes created{};
  if (!XGetWindowAttributes(display, window, &created) || trap.errorCount() != 0) return false;

  windowSurface = cairo_xlib_surface_create(display, window, created.visual, width, height);
  image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  trap.sync();
  return trap.errorCount() == 0 && cairo_surface_status(windowSurface) == CAIRO_STATUS_SUCCESS &&
         cairo_surface_status(image) == CAIRO_STATUS_SUCCESS;
}

// Embedding hosts look for this property; version 0, mapped.
void X11Frame::setEmbedInfo() {
  const Atom embedInfo = XInternAtom(display, "_XEMBED_INFO", False);
  const long data[2] = {0, kXEmbedMapped};
  XChangeProperty(display, window, embedInfo, embedInfo, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(data), 2);
}

bool X11Frame::isViewable() const {
  if (windowGone) return false;
  X11ErrorTrap trap(display, window);
  XWindowAttributes attributes{};
  const bool known = XGetWindowAttributes(display, window, &attributes) != 0 && trap.errorCount() == 0;
  return known && attributes.map_state == IsViewable;
}

void X11Frame::invalidRect(const CRect& rect) {
  if (!onOwnerThread()) {
    invalidElsewhere.store(true, std::memory_order_relaxed);
    return;
  }
  invalid.add(rect);
}

bool X11Frame::queryPointer(int& x, int& y, unsigned int& mask) const {
  if (!onOwnerThread() || windowGone) return false;
  X11ErrorTrap trap(display, window);
  Window root = 0;
  Window child = 0;
  int rootX = 0, rootY = 0;
  const bool sameScreen = XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask) != 0;
  return sameScreen && trap.errorCount() == 0;
}

bool X11Frame::getCurrentMousePosition(CPoint& where) const {
  int x = 0, y = 0;
  unsigned int mask = 0;
  if (!queryPointer(x, y, mask)) return false;
  where = pointOf(x, y);
  return true;
}

bool X11Frame::getCurrentMouseButtons(CButtonState& buttons) const {
  int x = 0, y = 0;
  unsigned int mask = 0;
  if (!queryPointer(x, y, mask)) return false;
  buttons = buttonsOf(mask);
  return true;
}

CButtonState X11Frame::buttonsOf(unsigned int state) const {
  return CButtonState(buttonsFromState(state) | extraButtons | modifiersFromState(state));
}

// --- Text entry ---

IPlatformTextEdit* X11Frame::createPlatformTextEdit(IPlatformTextEditCallback* field) {
  if (!field || !onOwnerThread()) return nullptr;
  if (textEntry) textEntry->detachOwner();  // its field keeps it, but it no longer gets keys
  textEntry = new CairoTextEntry(field, this);
  invalid.add(textEntry->getRect());
  takeKeyboard();
  return textEntry;
}

void X11Frame::textEntryChanged(const CRect& rect) { invalidRect(rect); }

void X11Frame::textEntryClosed(CairoTextEntry* entry, const CRect& rect) {
  if (entry != textEntry) return;
  textEntry = nullptr;
  invalidRect(rect);
  returnKeyboard();
}

// Keys reach a child window only while it (or an ancestor under the pointer)
// has the focus; an open entry needs them wherever the pointer is.
void X11Frame::takeKeyboard() {
  if (!isViewable()) return;
  X11ErrorTrap trap(display, window);
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  XFlush(display);
}

// Gives the focus back to the host's window, so its shortcuts work again.
void X11Frame::returnKeyboard() {
  if (windowGone || !onOwnerThread()) return;
  X11ErrorTrap trap(display, window);
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  if (focus == window) XSetInputFocus(display, parentWindow, RevertToParent, CurrentTime);
  trap.sync();  // a parent that is gone or unmapped only costs an error here
}

// --- Events ---

void X11Frame::pumpEvents() {
  if (!callback || !onOwnerThread()) return;
  remember();  // a handler may close the editor, which lets go of us
  const int32_t referencesWhilePumping = getNbReference();
  {
    X11ErrorTrap trap(display, window);
    std::vector<XEvent> events;
    while (XPending(display) > 0) {
      XEvent event{};
      XNextEvent(display, &event);
      events.push_back(event);
    }
    if (trap.watchedFailed()) windowGone = true;
    for (std::size_t i = 0; i < events.size() && stillOpen(referencesWhilePumping); ++i) {
      // Of a run of motions only the last one counts.
      if (events[i].type == MotionNotify && i + 1 < events.size() && events[i + 1].type == MotionNotify) continue;
      deliver(events[i]);
    }
    if (trap.watchedFailed()) windowGone = true;
  }
  if (!stillOpen(referencesWhilePumping)) callback = nullptr;
  forget();
}

bool X11Frame::stillOpen(int32_t referencesWhilePumping) const {
  return callback && getNbReference() >= referencesWhilePumping;
}

void X11Frame::deliver(XEvent& event) {
  if (event.type == MappingNotify) {  // every client hears of keyboard changes
    XRefreshKeyboardMapping(&event.xmapping);
    return;
  }
  if (event.xany.window != window) return;
  switch (event.type) {
    case Expose:
      exposed.add(CRect(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                        event.xexpose.y + event.xexpose.height));
      break;
    case ButtonPress:
      onButtonPress(event.xbutton);
      break;
    case ButtonRelease:
      onButtonRelease(event.xbutton);
      break;
    case MotionNotify: {
      CPoint where = pointOf(event.xmotion.x, event.xmotion.y);
      callback->platformOnMouseMoved(where, buttonsOf(event.xmotion.state));
      break;
    }
    case EnterNotify:
      // Entering shows as a move, so hover starts without waiting for one.
      if (event.xcrossing.mode == NotifyNormal) {
        CPoint where = pointOf(event.xcrossing.x, event.xcrossing.y);
        callback->platformOnMouseMoved(where, buttonsOf(event.xcrossing.state));
      }
      break;
    case LeaveNotify:
      if (isRealLeave(event.xcrossing.mode, event.xcrossing.detail)) {
        CPoint where = pointOf(event.xcrossing.x, event.xcrossing.y);
        callback->platformOnMouseExited(where, buttonsOf(event.xcrossing.state));
      }
      break;
    case KeyPress:
      onKey(event.xkey, true);
      break;
    case KeyRelease:
      onKey(event.xkey, false);
      break;
    case DestroyNotify:
      if (event.xdestroywindow.window == window) windowGone = true;
      break;
    default:
      break;
  }
}

void X11Frame::onButtonPress(const XButtonEvent& event) {
  CPoint where = pointOf(event.x, event.y);
  if (const float notches = wheelNotches(event.button); notches != 0.f) {
    callback->platformOnMouseWheel(where, notches, buttonsOf(event.state));
    return;
  }
  const int32_t bit = buttonBit(event.button);
  if (bit == 0) return;  // sideways scrolling and unknown buttons
  if (bit == kButton4 || bit == kButton5) extraButtons |= bit;
  int32_t buttons = buttonsOf(event.state)() | bit;  // the state is from before the press
  if (clicks.press(event.button, event.time, where)) buttons |= kDoubleClick;
  callback->platformOnMouseDown(where, CButtonState(buttons));
}

void X11Frame::onButtonRelease(const XButtonEvent& event) {
  const int32_t bit = buttonBit(event.button);
  if (bit == 0) return;  // wheel releases carry nothing
  CPoint where = pointOf(event.x, event.y);
  const CButtonState buttons(buttonsOf(event.state)() | bit);  // the released button included
  extraButtons &= ~bit;
  callback->platformOnMouseUp(where, buttons);
}

void X11Frame::onKey(XKeyEvent& event, bool press) {
  char text[16];
  KeySym keySym = NoSymbol;
  XLookupString(&event, text, sizeof text, &keySym, nullptr);
  VstKeyCode key{};
  if (!keyCodeFromKeySym(keySym, event.state, key)) return;
  if (textEntry) {
    if (!press) return;  // the entry has the keyboard
    const int32_t referencesBefore = getNbReference();
    CairoTextEntry* entry = textEntry;
    entry->remember();
    const bool used = entry->handleKey(key);
    entry->forget();
    if (used || !stillOpen(referencesBefore)) return;
  }
  if (press) {
    callback->platformOnKeyDown(key);
  } else {
    callback->platformOnKeyUp(key);
  }
}

// --- Painting ---

void X11Frame::paintPending() {
  if (!callback || painting || !onOwnerThread()) return;
  if (invalidElsewhere.exchange(false, std::memory_order_relaxed)) invalid.addAll();
  if (invalid.empty() && exposed.empty()) return;
  painting = true;
  remember();
  const std::vector<CRect> painted = invalid.take();
  paintInto(painted);
  exposed.add(painted);
  present(exposed.take());
  painting = false;
  forget();
}

void X11Frame::paintInto(const std::vector<CRect>& rects) {
  if (rects.empty()) return;
  CairoDrawContext context(image);
  for (const CRect& rect : rects) {
    context.resetState();
    context.setClipRect(rect);
    callback->platformDrawRect(&context, rect);
    if (!callback) break;
    if (textEntry && intersects(textEntry->getRect(), rect)) {
      context.resetState();
      context.setClipRect(rect);
      textEntry->draw(&context);
    }
  }
  cairo_surface_flush(image);
}

void X11Frame::present(const std::vector<CRect>& rects) {
  if (rects.empty() || windowGone) return;
  X11ErrorTrap trap(display, window);
  cairo_t* cr = cairo_create(windowSurface);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, image, 0, 0);
  for (const CRect& r : rects) cairo_rectangle(cr, r.left, r.top, r.getWidth(), r.getHeight());
  cairo_fill(cr);
  cairo_destroy(cr);
  cairo_surface_flush(windowSurface);
  XFlush(display);
  if (trap.watchedFailed()) windowGone = true;
}

}  // namespace VSTGUI::x11
