// sorel-wintext: the toolkit layer alone on the Windows back-end, for the
// Wine tests of what the editor does not show yet: one text field with
// white text on black, typed into through the native entry. It prints:
//   FIELD left top width height    the field on the screen
//   CHANGED text                   the field committed a typed text
//
//   sorel-wintext SECONDS STOP=PATH
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cframe.h"
#include "ctextedit.h"
#include "vstguieditorinterface.h"

namespace {

using namespace VSTGUI;

class Printer : public CControlListener {
 public:
  void valueChanged(CControl* control) override {
    std::printf("CHANGED %s\n", static_cast<CTextEdit*>(control)->getText());
    std::fflush(stdout);
  }
};

class Editor : public VSTGUIEditorInterface {
 public:
  void setFrame(CFrame* f) { frame = f; }
};

constexpr int kWidth = 300;
constexpr int kHeight = 100;

HWND createWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "SorelTextHost";
  RegisterClassA(&windowClass);
  RECT frame{0, 0, kWidth, kHeight};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowA("SorelTextHost", "Sorel text entry", style, 0, 0, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, windowClass.hInstance, nullptr);
  ShowWindow(window, SW_SHOW);
  return window;
}

}  // namespace

int main(int argc, char** argv) {
  const DWORD seconds = argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 10;
  const char* stop = argc > 2 && std::strncmp(argv[2], "STOP=", 5) == 0 ? argv[2] + 5 : nullptr;
  HWND window = createWindow();
  Editor editor;
  Printer printer;
  auto* frame = new CFrame(CRect(0, 0, kWidth, kHeight), &editor);
  editor.setFrame(frame);
  frame->setBackgroundColor(CColor{40, 80, 120, 255});
  const CRect fieldRect(20, 30, 220, 60);
  auto* field = new CTextEdit(fieldRect, &printer, 7, "12.5");
  field->setFont(kNormalFontVeryBig);
  field->setFontColor(kWhiteCColor);
  field->setBackColor(kBlackCColor);
  frame->addView(field);
  if (!frame->open(window)) {
    std::printf("ERROR the frame did not open\n");
    return 1;
  }
  POINT origin{static_cast<LONG>(fieldRect.left), static_cast<LONG>(fieldRect.top)};
  ClientToScreen(window, &origin);
  std::printf("FIELD %ld %ld %d %d\n", origin.x, origin.y, static_cast<int>(fieldRect.getWidth()),
              static_cast<int>(fieldRect.getHeight()));
  std::fflush(stdout);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < seconds * 1000 && !(stop && GetFileAttributesA(stop) != INVALID_FILE_ATTRIBUTES)) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    CFrame::UIScope scope;
    frame->idle();
    if (IPlatformFrame* platform = frame->getPlatformFrame()) platform->paintPending();
    Sleep(20);
  }
  frame->close();
  DestroyWindow(window);
  return 0;
}
