#include "parentwindows.h"

#include <cwchar>
#include <vector>

#include "platform/parentresize.h"
#include "win32frame.h"

namespace VSTGUI::win32 {

namespace {

ChainWindow describe(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  return {static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top),
          std::wcscmp(className, L"MDIClient") == 0};
}

}  // namespace

bool resizeParentWindows(IPlatformFrame* frame, int width, int height) {
  auto* own = dynamic_cast<Win32Frame*>(frame);
  if (!own || !own->getWindow()) return false;
  std::vector<HWND> windows;
  std::vector<ChainWindow> chain;
  for (HWND window = own->getWindow(); window; window = GetParent(window)) {
    windows.push_back(window);
    chain.push_back(describe(window));
  }
  const std::vector<WindowSize> sizes = resizedParents(chain, width, height, GetSystemMetrics(SM_CYFIXEDFRAME));
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    SetWindowPos(windows[i + 1], HWND_TOP, 0, 0, sizes[i].width, sizes[i].height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return !sizes.empty();
}

}  // namespace VSTGUI::win32
