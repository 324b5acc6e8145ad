// The in-place text entry on Windows: a native single-line EDIT control over
// the text field, subclassed so that Return commits, Escape cancels and
// losing the keyboard commits.
#pragma once

#include <windows.h>

#include <string>

#include "platform/iplatform.h"

namespace VSTGUI::win32 {

class Win32TextEdit : public IPlatformTextEdit {
 public:
  static constexpr int kMaxLength = 255;

  // Null when the control cannot be created.
  static Win32TextEdit* create(IPlatformTextEditCallback* field, HWND parent);
  ~Win32TextEdit() override;

  const char* getText() const override;
  bool setText(const char* text) override;

  // The parent's answer to WM_CTLCOLOREDIT for `edit`, or null when `edit`
  // is not one of these entries.
  static HBRUSH colorsFor(HWND edit, HDC dc);

 private:
  Win32TextEdit(IPlatformTextEditCallback* field, HWND parent);
  bool open();
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  IPlatformTextEditCallback* field;
  HWND parent;
  HWND edit = nullptr;
  WNDPROC original = nullptr;
  HFONT font = nullptr;
  HBRUSH backBrush = nullptr;
  COLORREF textColor = 0;
  COLORREF backColor = 0;
  bool closing = false;
  mutable std::string text;
};

}  // namespace VSTGUI::win32
