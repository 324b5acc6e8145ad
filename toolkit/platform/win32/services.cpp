// Windows services: the module handle, the clock, sleeping, links, the
// screen's size, OLE for the editor, and the entry point that opens a frame.
// windows.h first: the other system headers need its types.
// clang-format off
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
// clang-format on

#include "../backends.h"
#include "edid.h"
#include "win32frame.h"
#include "win32module.h"

namespace VSTGUI {

namespace {
void* storedModule = nullptr;
}  // namespace

void setPlatformModuleHandle(void* module) { storedModule = module; }

void* platformModuleHandle() {
  if (storedModule) return storedModule;
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&setPlatformModuleHandle), &self);
  return self;
}

bool platformOleInitialize() { return SUCCEEDED(OleInitialize(nullptr)); }

void platformOleUninitialize() { OleUninitialize(); }

namespace native {
IPlatformFrame* createFrame(IPlatformFrameCallback* frame, const CRect& size, void* parent) {
  return win32::Win32Frame::create(frame, size, parent);
}
uint64_t threadId() { return GetCurrentThreadId(); }
uint32_t ticks() { return GetTickCount(); }
void sleep(uint32_t milliseconds) { Sleep(milliseconds); }
bool openURL(const char* url) {
  return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", url, nullptr, nullptr, SW_SHOW)) > 32;
}
// Pixels from the screen's device context, millimetres from a monitor's EDID
// (the device context's own millimetres are a fixed 96-dpi guess).
bool screenSize(int& widthPixels, int& heightPixels, int& widthMm, int& heightMm) {
  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  widthPixels = GetDeviceCaps(screen, HORZRES);
  heightPixels = GetDeviceCaps(screen, VERTRES);
  ReleaseDC(nullptr, screen);
  return win32::monitorImageSize(widthMm, heightMm);
}
}  // namespace native

// The off-screen back-end draws with cairo, which has no Windows build here.
namespace offscreen {
IPlatformFrame* createFrame(IPlatformFrameCallback*, const CRect&) { return nullptr; }
uint32_t ticks() { return GetTickCount(); }
void sleep(uint32_t milliseconds) { Sleep(milliseconds); }
bool openURL(const char*) { return false; }
}  // namespace offscreen

}  // namespace VSTGUI
