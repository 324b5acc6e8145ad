// The Windows window of one frame: a child window of the host's window. It
// paints on WM_PAINT into a GDI+ back buffer (a DIB section) and copies the
// update rect to the screen; input arrives through the host's message loop.
#pragma once

// windows.h first: the other system headers need its types.
// clang-format off
#include <windows.h>
#include <gdiplus.h>
// clang-format on

#include <memory>

#include "gdiplususer.h"
#include "platform/iplatform.h"

namespace VSTGUI::win32 {

class Win32Frame : public IPlatformFrame {
 public:
  // Null when `parent` is not a window or the window cannot be created.
  static Win32Frame* create(IPlatformFrameCallback* frame, const CRect& size, void* parent);
  ~Win32Frame() override;

  CRect getSize() const override { return size; }
  void invalidRect(const CRect& rect) override;
  bool getCurrentMousePosition(CPoint& where) const override;
  bool getCurrentMouseButtons(CButtonState& buttons) const override;
  IPlatformTextEdit* createPlatformTextEdit(IPlatformTextEditCallback* field) override;
  // The host's message loop delivers the input: nothing to pump.
  void pumpEvents() override {}
  // Dispatches one pending WM_PAINT of the thread, then paints this window
  // if it is still invalid.
  void paintPending() override;

  HWND getWindow() const { return window; }

 private:
  Win32Frame(IPlatformFrameCallback* frame, const CRect& size);
  bool open(HWND parent);
  bool createBackBuffer();

  static bool registerClass();
  static void unregisterClass();
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void onPaint();
  void onButtonDown(UINT message, WPARAM wParam, LPARAM lParam);
  void onButtonUp(UINT message, WPARAM wParam, LPARAM lParam);
  void onMouseMove(WPARAM wParam, LPARAM lParam);
  void onMouseLeave();
  void onWheel(WPARAM wParam, LPARAM lParam);
  bool onKey(WPARAM wParam, bool down);

  IPlatformFrameCallback* callback;  // null once the frame has let go of us
  CRect size;
  GdiplusUser gdiplus;
  HWND window = nullptr;
  HDC bufferDC = nullptr;
  HBITMAP bufferBitmap = nullptr;
  HGDIOBJ previousBitmap = nullptr;
  std::unique_ptr<Gdiplus::Bitmap> buffer;  // over the DIB section's pixels
  bool trackingLeave = false;
  bool classRegistered = false;
};

}  // namespace VSTGUI::win32
