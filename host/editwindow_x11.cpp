// The editing window on X11: a top-level window on a display connection of
// its own, taking part in the window manager's close protocol
// (WM_DELETE_WINDOW), so a close asks rather than destroys. The editor puts
// its own child window into it, on its own connection.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <cstdint>
#include <cstdlib>

#include "editwindow.h"

namespace sorel::host {
namespace {

class X11EditWindow : public EditWindow {
 public:
  X11EditWindow(Display* d, const std::string& title, int width, int height) : display(d) {
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
    attributes.event_mask = StructureNotifyMask;
    window = XCreateWindow(display, DefaultRootWindow(display), 0, 0, static_cast<unsigned>(width),
                           static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                           CWBackPixel | CWEventMask, &attributes);
    XStoreName(display, window, title.c_str());
    XClassHint classHint{const_cast<char*>("sorel-render"), const_cast<char*>("sorel-render")};
    XSetClassHint(display, window, &classHint);
    deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
    fixSize(width, height);
    XMapWindow(display, window);
    XFlush(display);
  }

  ~X11EditWindow() override {
    if (window) XDestroyWindow(display, window);
    XCloseDisplay(display);
  }

  void* parentHandle() const override { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }

  void resize(int width, int height) override {
    if (!window || width <= 0 || height <= 0) return;
    fixSize(width, height);
    XResizeWindow(display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFlush(display);
  }

  bool handleEvents() override {
    while (window && XPending(display) > 0) {
      XEvent event{};
      XNextEvent(display, &event);
      if (event.type == ClientMessage && event.xclient.window == window && event.xclient.format == 32 &&
          static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow)
        closeAsked = true;
      if (event.type == DestroyNotify && event.xdestroywindow.window == window)
        window = 0;  // destroyed by another client
    }
    return window && !closeAsked;
  }

  void waitForEvents(int milliseconds) override {
    if (XPending(display) > 0) return;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    ::poll(&connection, 1, milliseconds);
  }

 private:
  // The editor draws at one size: the window manager is told not to offer another.
  void fixSize(int width, int height) {
    XSizeHints* hints = XAllocSizeHints();
    if (!hints) return;
    hints->flags = PMinSize | PMaxSize;
    hints->min_width = hints->max_width = width;
    hints->min_height = hints->max_height = height;
    XSetWMNormalHints(display, window, hints);
    XFree(hints);
  }

  Display* display;
  Window window = 0;
  Atom deleteWindow = 0;
  bool closeAsked = false;
};

}  // namespace

std::unique_ptr<EditWindow> EditWindow::open(const std::string& title, int width, int height, std::string* error) {
  const char* name = std::getenv("DISPLAY");
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    if (error)
      *error = name && *name ? std::string("cannot open the X display ") + name
                             : "no X display to show the editor on (DISPLAY is not set)";
    return nullptr;
  }
  return std::make_unique<X11EditWindow>(display, title, width, height);
}

}  // namespace sorel::host
