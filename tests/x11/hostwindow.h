// What a host provides to an editor on Linux: a top-level window on a display
// connection of its own, whose id is handed to the editor's open.
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace sorel::testing {

// The pixel at (x, y) of `of` as 0xRRGGBB; -1 when it cannot be read (not on
// screen yet, or gone).
long windowPixel(Display* display, Window of, int x, int y);
// The windows inside `of` (none when it is gone).
std::vector<Window> childrenOf(Display* display, Window of);
// The only window inside `of`, or 0.
Window onlyChild(Display* display, Window of);
// The top-level window whose name holds `part`, or 0.
Window topLevelNamed(Display* display, const std::string& part);
// The window that has the keyboard.
Window inputFocus(Display* display);
// A point of `inside` in root coordinates.
bool toRoot(Display* display, Window inside, int x, int y, int& rootX, int& rootY);
// Waits up to two seconds for the pointer to reach (rootX, rootY).
bool waitForPointer(Display* display, int rootX, int rootY);
// Moves the real pointer to (x, y) of `inside`, waits until it is there and
// runs the xdotool `actions` (clicks, keys) there.
bool pointerAt(Display* display, Window inside, int x, int y, const std::vector<std::string>& actions = {});

class HostWindow {
 public:
  // Creates and maps the window at (x, y) on the root window and waits until
  // the server shows it.
  HostWindow(int x, int y, int width, int height);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  bool isOpen() const { return window != 0; }
  Display* getDisplay() const { return display; }
  Window getWindow() const { return window; }
  // What effEditOpen receives.
  void* handle() const;
  bool pointerAt(Window inside, int x, int y, const std::vector<std::string>& actions = {}) const {
    return testing::pointerAt(display, inside, x, y, actions);
  }
  // The pixel at (x, y) of `of` as 0xRRGGBB; -1 when it cannot be read.
  long pixel(Window of, int x, int y) const { return windowPixel(display, of, x, y); }
  // The host tears its window down before the editor (the frame's window,
  // a child, goes with it).
  void destroyWindow();

 private:
  Display* display = nullptr;
  Window window = 0;
};

}  // namespace sorel::testing
