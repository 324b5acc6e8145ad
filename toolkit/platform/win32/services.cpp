// Windows services. The Win32 window with GDI+ drawing and the PNG resources
// are not written yet: until they are, a frame cannot open on Windows and
// bitmaps load as empty, so the editor's open fails cleanly.
#include <windows.h>
#include <shellapi.h>

#include "../backends.h"

namespace VSTGUI {

namespace native {
IPlatformFrame* createFrame(IPlatformFrameCallback*, const CRect&, void*) { return nullptr; }
uint64_t threadId() { return GetCurrentThreadId(); }
uint32_t ticks() { return GetTickCount(); }
void sleep(uint32_t milliseconds) { Sleep(milliseconds); }
bool openURL(const char* url) {
  return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", url, nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}
bool screenSize(int& widthPixels, int& heightPixels, int& widthMm, int& heightMm) {
  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  widthPixels = GetDeviceCaps(screen, HORZRES);
  heightPixels = GetDeviceCaps(screen, VERTRES);
  widthMm = GetDeviceCaps(screen, HORZSIZE);
  heightMm = GetDeviceCaps(screen, VERTSIZE);
  ReleaseDC(nullptr, screen);
  return true;
}
}  // namespace native

// The off-screen back-end draws with cairo, which has no Windows build here.
namespace offscreen {
IPlatformFrame* createFrame(IPlatformFrameCallback*, const CRect&) { return nullptr; }
uint32_t ticks() { return GetTickCount(); }
void sleep(uint32_t milliseconds) { Sleep(milliseconds); }
bool openURL(const char*) { return false; }
}  // namespace offscreen

namespace images {
IPlatformBitmap* load(const char*) { return nullptr; }
}  // namespace images

}  // namespace VSTGUI
