#include "win32frame.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>

#include "win32drawcontext.h"
#include "win32events.h"
#include "win32module.h"
#include "win32textedit.h"

namespace VSTGUI::win32 {

namespace {
constexpr int kMaxSide = 32767;

int pixels(CCoord length) { return std::clamp(static_cast<int>(std::lround(length)), 1, kMaxSide); }

// One window class per module (two copies of the plug-in may be loaded),
// registered with the first frame and unregistered with the last.
std::mutex classLock;
int classUsers = 0;
char className[64] = {};

}  // namespace

bool Win32Frame::registerClass() {
  std::lock_guard<std::mutex> hold(classLock);
  if (classUsers++ > 0) return true;
  std::snprintf(className, sizeof className, "SorelFrame%p", platformModuleHandle());
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &Win32Frame::windowProc;
  windowClass.hInstance = static_cast<HINSTANCE>(platformModuleHandle());
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className;
  if (RegisterClassExA(&windowClass)) return true;
  --classUsers;
  return false;
}

void Win32Frame::unregisterClass() {
  std::lock_guard<std::mutex> hold(classLock);
  if (--classUsers == 0) UnregisterClassA(className, static_cast<HINSTANCE>(platformModuleHandle()));
}

namespace {
bool altDown() { return GetKeyState(VK_MENU) < 0; }

CPoint pointOf(LPARAM lParam) { return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }
}  // namespace

Win32Frame* Win32Frame::create(IPlatformFrameCallback* frame, const CRect& size, void* parent) {
  auto parentWindow = static_cast<HWND>(parent);
  if (!frame || !parentWindow || !IsWindow(parentWindow)) return nullptr;
  auto* win32Frame = new Win32Frame(frame, size);
  if (!win32Frame->open(parentWindow)) {
    win32Frame->forget();
    return nullptr;
  }
  return win32Frame;
}

Win32Frame::Win32Frame(IPlatformFrameCallback* frame, const CRect& rect)
    : callback(frame), size(0, 0, pixels(rect.getWidth()), pixels(rect.getHeight())) {}

bool Win32Frame::open(HWND parent) {
  if (!gdiplus.running() || !createBackBuffer()) return false;
  classRegistered = registerClass();
  if (!classRegistered) return false;
  window = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0,
                           static_cast<int>(size.getWidth()), static_cast<int>(size.getHeight()), parent, nullptr,
                           static_cast<HINSTANCE>(platformModuleHandle()), nullptr);
  if (!window) return false;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  InvalidateRect(window, nullptr, FALSE);
  return true;
}

bool Win32Frame::createBackBuffer() {
  const int width = static_cast<int>(size.getWidth());
  const int height = static_cast<int>(size.getHeight());
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bufferDC = CreateCompatibleDC(nullptr);
  if (!bufferDC) return false;
  bufferBitmap = CreateDIBSection(bufferDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bufferBitmap || !bits) return false;
  previousBitmap = SelectObject(bufferDC, bufferBitmap);
  buffer = std::make_unique<Gdiplus::Bitmap>(width, height, width * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits));
  return buffer->GetLastStatus() == Gdiplus::Ok;
}

Win32Frame::~Win32Frame() {
  callback = nullptr;
  if (window) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);  // from here on the class's procedure does nothing
    if (GetCapture() == window) ReleaseCapture();
    DestroyWindow(window);
  }
  buffer.reset();
  if (bufferDC) {
    if (previousBitmap) SelectObject(bufferDC, previousBitmap);
    DeleteDC(bufferDC);
  }
  if (bufferBitmap) DeleteObject(bufferBitmap);
  if (classRegistered) unregisterClass();
}

void Win32Frame::invalidRect(const CRect& rect) {
  if (!window) return;
  RECT r{static_cast<LONG>(std::floor(rect.left)), static_cast<LONG>(std::floor(rect.top)),
         static_cast<LONG>(std::ceil(rect.right)), static_cast<LONG>(std::ceil(rect.bottom))};
  InvalidateRect(window, &r, FALSE);  // any thread may ask
}

bool Win32Frame::getCurrentMousePosition(CPoint& where) const {
  POINT p{};
  if (!window || !GetCursorPos(&p) || !ScreenToClient(window, &p)) return false;
  where = CPoint(p.x, p.y);
  return true;
}

bool Win32Frame::getCurrentMouseButtons(CButtonState& buttons) const {
  buttons = CButtonState(currentButtons());
  return true;
}

IPlatformTextEdit* Win32Frame::createPlatformTextEdit(IPlatformTextEditCallback* field) {
  return window ? Win32TextEdit::create(field, window) : nullptr;
}

void Win32Frame::paintPending() {
  if (!window) return;
  MSG message;
  if (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&message);
  if (window && GetUpdateRect(window, nullptr, FALSE)) UpdateWindow(window);
}

LRESULT CALLBACK Win32Frame::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* frame = reinterpret_cast<Win32Frame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!frame || !frame->callback) return DefWindowProcA(window, message, wParam, lParam);
  // A handler may close the editor, which lets go of this window: keep it
  // alive until the message is done, and stop calling the frame after that.
  frame->remember();
  const int32_t references = frame->getNbReference();
  const LRESULT result = frame->handle(message, wParam, lParam);
  if (frame->getNbReference() < references) frame->callback = nullptr;
  frame->forget();
  return result;
}

LRESULT Win32Frame::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      onPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_XBUTTONDBLCLK:
      onButtonDown(message, wParam, lParam);
      return message == WM_XBUTTONDOWN || message == WM_XBUTTONDBLCLK ? TRUE : 0;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP:
    case WM_XBUTTONUP:
      onButtonUp(message, wParam, lParam);
      return message == WM_XBUTTONUP ? TRUE : 0;
    case WM_MOUSEMOVE:
      onMouseMove(wParam, lParam);
      return 0;
    case WM_MOUSELEAVE:
      onMouseLeave();
      return 0;
    case WM_MOUSEWHEEL:
      onWheel(wParam, lParam);
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (onKey(wParam, message == WM_KEYDOWN)) return 0;
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case WM_CTLCOLOREDIT:
      if (HBRUSH brush = Win32TextEdit::colorsFor(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
        return reinterpret_cast<LRESULT>(brush);
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void Win32Frame::onPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  const RECT& r = paint.rcPaint;
  if (dc && r.right > r.left && r.bottom > r.top) {
    const CRect update(r.left, r.top, r.right, r.bottom);
    {
      Win32DrawContext context(buffer.get());
      context.setClipRect(update);
      callback->platformDrawRect(&context, update);
    }
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, bufferDC, r.left, r.top, SRCCOPY);
  }
  EndPaint(window, &paint);
}

void Win32Frame::onButtonDown(UINT message, WPARAM wParam, LPARAM lParam) {
  int32_t buttons = buttonsFromMouseFlags(GET_KEYSTATE_WPARAM(wParam), altDown());
  buttons |= buttonOfMessage(message, GET_XBUTTON_WPARAM(wParam));
  // A second fast click arrives as a double click: it is still a press.
  if (isDoubleClickMessage(message)) buttons |= kDoubleClick;
  if (GetFocus() != window) SetFocus(window);
  if (!callback) return;
  CPoint where = pointOf(lParam);
  if (callback->platformOnMouseDown(where, CButtonState(buttons)) == kMouseEventHandled) SetCapture(window);
}

void Win32Frame::onButtonUp(UINT message, WPARAM wParam, LPARAM lParam) {
  // The flags no longer hold the released button.
  int32_t buttons = buttonsFromMouseFlags(GET_KEYSTATE_WPARAM(wParam), altDown());
  buttons |= buttonOfMessage(message, GET_XBUTTON_WPARAM(wParam));
  CPoint where = pointOf(lParam);
  callback->platformOnMouseUp(where, CButtonState(buttons));
  if (GetCapture() == window) ReleaseCapture();
}

void Win32Frame::onMouseMove(WPARAM wParam, LPARAM lParam) {
  if (!trackingLeave) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
    trackingLeave = TrackMouseEvent(&track) != FALSE;
  }
  CPoint where = pointOf(lParam);
  callback->platformOnMouseMoved(where, CButtonState(buttonsFromMouseFlags(GET_KEYSTATE_WPARAM(wParam), altDown())));
}

void Win32Frame::onMouseLeave() {
  trackingLeave = false;
  CPoint where;
  getCurrentMousePosition(where);
  callback->platformOnMouseExited(where, CButtonState(currentButtons()));
}

void Win32Frame::onWheel(WPARAM wParam, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};  // screen coordinates
  ScreenToClient(window, &p);
  const float distance = static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA;
  const CButtonState buttons(buttonsFromMouseFlags(GET_KEYSTATE_WPARAM(wParam), altDown()));
  callback->platformOnMouseWheel(CPoint(p.x, p.y), distance, buttons);
}

bool Win32Frame::onKey(WPARAM wParam, bool down) {
  VstKeyCode key{};
  if (!keyCodeFromVirtualKey(static_cast<unsigned>(wParam), key)) return false;
  const int32_t used = down ? callback->platformOnKeyDown(key) : callback->platformOnKeyUp(key);
  return used != -1;
}

}  // namespace VSTGUI::win32
