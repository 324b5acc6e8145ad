// What a host provides to an editor on Linux: a top-level window on a display
// connection of its own, whose id is handed to the editor's open.
#pragma once

#include <X11/Xlib.h>

#include <vector>

namespace sorel::testing {

// The pixel at (x, y) of `of` as 0xRRGGBB; -1 when it cannot be read (not on
// screen yet, or gone).
long windowPixel(Display* display, Window of, int x, int y);

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
  // A point of `inside` (this window or a descendant) in root coordinates.
  bool toRoot(Window inside, int x, int y, int& rootX, int& rootY) const;
  // Waits up to two seconds for the pointer to reach (rootX, rootY).
  bool waitForPointer(int rootX, int rootY) const;
  // The pixel at (x, y) of `of` as 0xRRGGBB; -1 when it cannot be read.
  long pixel(Window of, int x, int y) const { return windowPixel(display, of, x, y); }
  // The windows the editor put into this one (normally its own, or none).
  std::vector<Window> children() const;
  // The host tears its window down before the editor (the frame's window,
  // a child, goes with it).
  void destroyWindow();

 private:
  Display* display = nullptr;
  Window window = 0;
};

}  // namespace sorel::testing
