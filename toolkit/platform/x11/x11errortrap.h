// Catches X protocol errors of one display connection while it is alive.
//
// Xlib's default error handler ends the process, and a plug-in's window can
// vanish under it at any time (the host destroys the parent first), so every
// stretch of code that talks to the server runs inside a trap. The handler is
// process-wide: traps on any thread share one installation (counted), and an
// error of a display that no trap on the reading thread watches goes to the
// handler that was installed before the first trap.
#pragma once

#include <X11/Xlib.h>

namespace VSTGUI::x11 {

class X11ErrorTrap {
 public:
  // `watched`: a resource whose errors mean it is gone (0 for none).
  explicit X11ErrorTrap(Display* display, XID watched = 0);
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Sends what is queued and waits for the server, so errors of earlier
  // requests arrive while the trap is in place.
  void sync();
  int errorCount() const { return errors; }
  bool watchedFailed() const { return watchedError; }
  unsigned char firstErrorCode() const { return firstCode; }

 private:
  static int onError(Display* display, XErrorEvent* event);
  void record(const XErrorEvent& event);

  Display* display;
  XID watched;
  X11ErrorTrap* outer;
  int errors = 0;
  bool watchedError = false;
  unsigned char firstCode = 0;
};

}  // namespace VSTGUI::x11
