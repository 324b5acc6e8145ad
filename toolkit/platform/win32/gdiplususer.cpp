#include "gdiplususer.h"

// windows.h first: the other system headers need its types.
// clang-format off
#include <windows.h>
#include <gdiplus.h>
// clang-format on

#include <mutex>

namespace VSTGUI::win32 {

namespace {
std::mutex lock;
int users = 0;
ULONG_PTR token = 0;
}  // namespace

GdiplusUser::GdiplusUser() {
  std::lock_guard<std::mutex> hold(lock);
  if (users == 0) {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) {
      started = false;
      return;
    }
  }
  ++users;
  started = true;
}

GdiplusUser::~GdiplusUser() {
  if (!started) return;
  std::lock_guard<std::mutex> hold(lock);
  if (--users == 0) Gdiplus::GdiplusShutdown(token);
}

}  // namespace VSTGUI::win32
