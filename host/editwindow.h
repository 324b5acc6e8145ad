// The host's own top-level window that a plug-in's editor opens in: X11 on
// Linux (editwindow_x11.cpp), a plain Win32 window on Windows
// (editwindow_win32.cpp). Everything happens on the thread that opened it,
// which is also the thread that drives the editor.
#pragma once

#include <memory>
#include <string>

namespace sorel::host {

class EditWindow {
 public:
  // A window of width x height client pixels titled `title`, shown; null with
  // *error when there is no display or the window cannot be made.
  static std::unique_ptr<EditWindow> open(const std::string& title, int width, int height, std::string* error);
  virtual ~EditWindow() = default;

  // What effEditOpen receives as its parent (an X11 Window id, an HWND).
  virtual void* parentHandle() const = 0;
  // A new client size, as the editor asks for it; the window keeps it fixed.
  virtual void resize(int width, int height) = 0;
  // Handles what arrived for this window without blocking; false once the
  // user asked to close it (the window manager's close, Alt+F4) or it is gone.
  virtual bool handleEvents() = 0;
  // Waits up to `milliseconds` for something to arrive for the window.
  virtual void waitForEvents(int milliseconds) = 0;
};

}  // namespace sorel::host
