// The editing window on Windows: a plain top-level window whose client area
// is the editor's size. Closing it (the close box, Alt+F4) only raises a flag:
// the window stays until the editor inside it was closed.
// windows.h first: the other system headers need its types.
// clang-format off
#include <windows.h>
// clang-format on

#include <string>

#include "editwindow.h"

namespace sorel::host {
namespace {

constexpr const wchar_t* kClassName = L"SorelEditWindow";
constexpr const wchar_t* kCloseAsked = L"SorelCloseAsked";  // a window property: the user closed it
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    SetPropW(window, kCloseAsked, reinterpret_cast<HANDLE>(1));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool registerClass() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kClassName;
  return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The outer size whose client area is width x height.
SIZE outerSize(int width, int height) {
  RECT frame{0, 0, width, height};
  AdjustWindowRect(&frame, kStyle, FALSE);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

class Win32EditWindow : public EditWindow {
 public:
  explicit Win32EditWindow(HWND w) : window(w) {}
  ~Win32EditWindow() override {
    if (!IsWindow(window)) return;
    RemovePropW(window, kCloseAsked);
    DestroyWindow(window);
  }

  void* parentHandle() const override { return window; }

  void resize(int width, int height) override {
    if (width <= 0 || height <= 0) return;
    const SIZE outer = outerSize(width, height);
    SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  bool handleEvents() override {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    return IsWindow(window) && !GetPropW(window, kCloseAsked);
  }

  void waitForEvents(int milliseconds) override {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(milliseconds), QS_ALLINPUT);
  }

 private:
  HWND window;
};

std::wstring wide(const std::string& text) {
  const int count = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(count > 0 ? count : 1), L'\0');
  if (count > 0) MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, out.data(), count);
  return out;
}

}  // namespace

std::unique_ptr<EditWindow> EditWindow::open(const std::string& title, int width, int height, std::string* error) {
  const SIZE outer = outerSize(width, height);
  HWND window = registerClass()
                    ? CreateWindowW(kClassName, wide(title).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.cx,
                                    outer.cy, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)
                    : nullptr;
  if (!window) {
    if (error) *error = "cannot create the editor's window (error " + std::to_string(GetLastError()) + ")";
    return nullptr;
  }
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  return std::make_unique<Win32EditWindow>(window);
}

}  // namespace sorel::host
