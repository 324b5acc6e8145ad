#include "x11errortrap.h"

#include <mutex>

namespace VSTGUI::x11 {

namespace {
// The traps open on this thread, innermost first: Xlib calls the handler on
// the thread that reads the connection, which is the thread that owns it.
thread_local X11ErrorTrap* innermost = nullptr;

std::mutex installLock;
int installCount = 0;
XErrorHandler before = nullptr;

int forward(Display* display, XErrorEvent* event) {
  XErrorHandler handler = nullptr;
  {
    std::lock_guard<std::mutex> lock(installLock);
    handler = before;
  }
  return handler ? handler(display, event) : 0;
}
}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* d, XID resource) : display(d), watched(resource), outer(innermost) {
  innermost = this;
  std::lock_guard<std::mutex> lock(installLock);
  if (installCount++ == 0) {
    XErrorHandler previous = XSetErrorHandler(&X11ErrorTrap::onError);
    before = previous == &X11ErrorTrap::onError ? nullptr : previous;
  }
}

X11ErrorTrap::~X11ErrorTrap() {
  innermost = outer;
  std::lock_guard<std::mutex> lock(installLock);
  if (--installCount == 0) {
    // Someone may have replaced ours meanwhile: leave theirs in place.
    XErrorHandler current = XSetErrorHandler(before);
    if (current != &X11ErrorTrap::onError) XSetErrorHandler(current);
    before = nullptr;
  }
}

void X11ErrorTrap::sync() {
  if (display) XSync(display, False);
}

int X11ErrorTrap::onError(Display* display, XErrorEvent* event) {
  for (X11ErrorTrap* trap = innermost; trap; trap = trap->outer) {
    if (trap->display == display) {
      trap->record(*event);
      return 0;
    }
  }
  return forward(display, event);
}

void X11ErrorTrap::record(const XErrorEvent& event) {
  if (errors++ == 0) firstCode = event.error_code;
  if (watched != 0 && event.resourceid == watched) watchedError = true;
}

}  // namespace VSTGUI::x11
