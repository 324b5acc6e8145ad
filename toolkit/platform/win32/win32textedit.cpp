#include "win32textedit.h"

#include <cmath>

#include "win32module.h"

namespace VSTGUI::win32 {

namespace {
COLORREF rgb(const CColor& c) { return RGB(c.red, c.green, c.blue); }

DWORD alignStyle(CHoriTxtAlign align) {
  if (align == kCenterText) return ES_CENTER;
  if (align == kRightText) return ES_RIGHT;
  return ES_LEFT;
}

HFONT createFont(CFontRef desc) {
  LOGFONTA font{};
  font.lfHeight = -static_cast<LONG>(std::lround(desc ? desc->getSize() : 12));
  font.lfWeight = desc && (desc->getStyle() & kBoldFace) ? FW_BOLD : FW_NORMAL;
  font.lfItalic = desc && (desc->getStyle() & kItalicFace) ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = ANTIALIASED_QUALITY;
  lstrcpynA(font.lfFaceName, desc && *desc->getName() ? desc->getName() : "Arial", LF_FACESIZE);
  return CreateFontIndirectA(&font);
}
}  // namespace

Win32TextEdit* Win32TextEdit::create(IPlatformTextEditCallback* field, HWND parent) {
  if (!field || !parent) return nullptr;
  auto* entry = new Win32TextEdit(field, parent);
  if (!entry->open()) {
    entry->forget();
    return nullptr;
  }
  return entry;
}

Win32TextEdit::Win32TextEdit(IPlatformTextEditCallback* textField, HWND parentWindow)
    : field(textField), parent(parentWindow) {
  // A field with a fully transparent background would give invisible typing.
  const CColor back = field->platformGetBackColor();
  const bool readable = back.alpha != 0;
  backColor = readable ? rgb(back) : RGB(255, 255, 255);
  textColor = readable ? rgb(field->platformGetFontColor()) : RGB(0, 0, 0);
}

bool Win32TextEdit::open() {
  const CRect r = field->platformGetEntryRect();
  const DWORD style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | alignStyle(field->platformGetTextAlign());
  edit = CreateWindowExA(0, "EDIT", field->platformGetText(), style, static_cast<int>(std::lround(r.left)),
                         static_cast<int>(std::lround(r.top)), static_cast<int>(std::lround(r.getWidth())),
                         static_cast<int>(std::lround(r.getHeight())), parent, nullptr,
                         static_cast<HINSTANCE>(platformModuleHandle()), nullptr);
  if (!edit) return false;
  font = createFont(field->platformGetFont());
  backBrush = CreateSolidBrush(backColor);
  if (font) SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(edit, EM_SETLIMITTEXT, kMaxLength, 0);
  SetWindowLongPtrA(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32TextEdit::editProc)));
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SetFocus(edit);
  return true;
}

Win32TextEdit::~Win32TextEdit() {
  closing = true;
  if (edit) {
    // Unhooked first: the focus moving away must not commit again.
    SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    SetWindowLongPtrA(edit, GWLP_USERDATA, 0);
    if (GetFocus() == edit && IsWindow(parent)) SetFocus(parent);
    DestroyWindow(edit);
  }
  if (font) DeleteObject(font);
  if (backBrush) DeleteObject(backBrush);
}

const char* Win32TextEdit::getText() const {
  if (edit) {
    char buffer[kMaxLength + 1] = {};
    GetWindowTextA(edit, buffer, sizeof buffer);
    text = buffer;
  }
  return text.c_str();
}

bool Win32TextEdit::setText(const char* newText) {
  text = newText ? newText : "";
  return edit && SetWindowTextA(edit, text.c_str());
}

HBRUSH Win32TextEdit::colorsFor(HWND window, HDC dc) {
  auto* entry = reinterpret_cast<Win32TextEdit*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!entry || entry->edit != window) return nullptr;
  SetTextColor(dc, entry->textColor);
  SetBkColor(dc, entry->backColor);
  return entry->backBrush;
}

LRESULT CALLBACK Win32TextEdit::editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* entry = reinterpret_cast<Win32TextEdit*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!entry) return DefWindowProcA(window, message, wParam, lParam);
  entry->remember();  // the field may let go of the entry from inside
  const LRESULT result = entry->handle(message, wParam, lParam);
  entry->forget();
  return result;
}

LRESULT Win32TextEdit::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        field->platformLooseFocus(true);
        return 0;
      }
      if (wParam == VK_ESCAPE) {
        VstKeyCode key{};
        key.virt = VKEY_ESCAPE;
        field->platformOnKeyDown(key);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == '\r' || wParam == 27) return 0;  // handled as keys; no beep
      break;
    case WM_KILLFOCUS: {
      const LRESULT result = CallWindowProcA(original, edit, message, wParam, lParam);
      if (!closing) field->platformLooseFocus(false);
      return result;
    }
    default:
      break;
  }
  return CallWindowProcA(original, edit, message, wParam, lParam);
}

}  // namespace VSTGUI::win32
