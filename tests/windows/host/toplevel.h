// What the small Windows test hosts share: a captioned top-level window and
// the message pump.
#pragma once

#include <windows.h>

namespace sorel::testing {

// A shown top-level window at the screen's corner whose client area is
// width x height, of the window class `className` (registered here).
inline HWND createTopLevel(const char* className, int width, int height) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
  RECT frame{0, 0, width, height};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowA(className, "Sorel test host", style, 0, 0, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, windowClass.hInstance, nullptr);
  ShowWindow(window, SW_SHOW);
  return window;
}

// Handles every message waiting for this thread's windows.
inline void pumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace sorel::testing
