#include "hostwindow.h"

#include <cstdint>

#include "platform/x11/x11errortrap.h"
#include "screenshot.h"
#include "toolrunner.h"
#include "waituntil.h"

namespace sorel::testing {

using VSTGUI::x11::X11ErrorTrap;

HostWindow::HostWindow(int x, int y, int width, int height) : display(XOpenDisplay(nullptr)) {
  if (!display) return;
  XSetWindowAttributes attributes{};
  attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
  attributes.event_mask = StructureNotifyMask;
  window = XCreateWindow(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                         static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                         CWBackPixel | CWEventMask, &attributes);
  XMapWindow(display, window);
  XEvent event{};
  XWindowEvent(display, window, StructureNotifyMask, &event);
  while (event.type != MapNotify) XWindowEvent(display, window, StructureNotifyMask, &event);
}

HostWindow::~HostWindow() {
  if (!display) return;
  destroyWindow();
  XCloseDisplay(display);
}

void* HostWindow::handle() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(window)); }

bool toRoot(Display* display, Window inside, int x, int y, int& rootX, int& rootY) {
  X11ErrorTrap trap(display);
  Window child = 0;
  const bool sameScreen =
      XTranslateCoordinates(display, inside, DefaultRootWindow(display), x, y, &rootX, &rootY, &child) != 0;
  return sameScreen && trap.errorCount() == 0;
}

bool waitForPointer(Display* display, int rootX, int rootY) {
  return waitUntil(
      [&] {
        Window root = 0, child = 0;
        int x = -1, y = -1, windowX = 0, windowY = 0;
        unsigned int mask = 0;
        XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX, &windowY, &mask);
        return x == rootX && y == rootY;
      },
      2000, 5);
}

long windowPixel(Display* display, Window of, int x, int y) {
  X11ErrorTrap trap(display);
  const std::vector<unsigned long> pixels = readPixels(display, of, x, y, 1, 1);
  return pixels.empty() || trap.errorCount() != 0 ? -1 : static_cast<long>(pixels[0]);
}

std::vector<Window> childrenOf(Display* display, Window of) {
  X11ErrorTrap trap(display);
  Window root = 0, parent = 0;
  Window* list = nullptr;
  unsigned count = 0;
  XQueryTree(display, of, &root, &parent, &list, &count);
  std::vector<Window> result(list, list + count);
  if (list) XFree(list);
  return result;
}

Window onlyChild(Display* display, Window of) {
  const std::vector<Window> children = childrenOf(display, of);
  return children.size() == 1 ? children[0] : 0;
}

Window topLevelNamed(Display* display, const std::string& part) {
  X11ErrorTrap trap(display);  // windows come and go meanwhile
  for (const Window candidate : childrenOf(display, DefaultRootWindow(display))) {
    char* name = nullptr;
    const bool named = XFetchName(display, candidate, &name) && name;
    const bool found = named && std::string(name).find(part) != std::string::npos;
    if (name) XFree(name);
    if (found) return candidate;
  }
  return 0;
}

Window inputFocus(Display* display) {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  return focus;
}

bool pointerAt(Display* display, Window inside, int x, int y, const std::vector<std::string>& actions) {
  int rootX = 0, rootY = 0;
  // (xdotool's own --sync waits forever when the pointer is there already.)
  return toRoot(display, inside, x, y, rootX, rootY) &&
         xdotool({"mousemove", std::to_string(rootX), std::to_string(rootY)}) &&
         waitForPointer(display, rootX, rootY) && (actions.empty() || xdotool(actions));
}

void HostWindow::destroyWindow() {
  if (!window) return;
  XDestroyWindow(display, window);
  XSync(display, False);
  window = 0;
}

}  // namespace sorel::testing
