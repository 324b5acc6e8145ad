// sorel-winresize: the editor base in a host's windows under Wine, asked to
// grow from 400 x 300 to 500 x 350 the way the frame asks before a size
// change. The host's window holds the editor in a borderless child window,
// as many hosts do. It prints, one line each:
//   HOSTSIZED width height         the host was asked to resize (sizeWindow)
//   WINDOWS answer holder-width holder-height client-width client-height
//                                  after each request: beforeSizeChange's
//                                  answer, the holder's and the top-level
//                                  window's client size
// The first request goes to a host that can resize its windows, the second
// to one that answers 0 to canDo("sizeWindow").
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "aeffguieditor.h"
#include "audioeffectx.h"
#include "cframe.h"
#include "toplevel.h"

namespace {

using VSTGUI::CFrame;
using VSTGUI::CRect;

constexpr int kWidth = 400;
constexpr int kHeight = 300;

bool hostCanSize = true;

VstIntPtr VSTCALLBACK hostCallback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float) {
  switch (opcode) {
    case audioMasterVersion:
      return 2400;
    case audioMasterCanDo:
      return hostCanSize && ptr && std::strcmp(static_cast<const char*>(ptr), "sizeWindow") == 0 ? 1 : 0;
    case audioMasterSizeWindow:
      std::printf("HOSTSIZED %d %d\n", index, static_cast<int>(value));
      return 1;
    default:
      return 0;
  }
}

class Effect : public AudioEffectX {
 public:
  Effect() : AudioEffectX(hostCallback, 1, 0) {}
  void processReplacing(float**, float**, VstInt32) override {}
};

class Editor : public AEffGUIEditor {
 public:
  explicit Editor(AudioEffect* owner) : AEffGUIEditor(owner) {}
  bool open(void* parent) override {
    AEffGUIEditor::open(parent);
    frame = new CFrame(CRect(0, 0, kWidth, kHeight), this);
    return frame->open(parent);
  }
  void close() override {
    if (frame) frame->close();
    frame = nullptr;
    AEffGUIEditor::close();
  }
};

void report(bool answer, HWND holder, HWND window) {
  RECT held{}, client{};
  GetWindowRect(holder, &held);
  GetClientRect(window, &client);
  std::printf("WINDOWS %d %ld %ld %ld %ld\n", answer ? 1 : 0, held.right - held.left, held.bottom - held.top,
              client.right - client.left, client.bottom - client.top);
}

}  // namespace

int main() {
  HWND window = sorel::testing::createTopLevel("SorelResizeHost", kWidth, kHeight);
  HWND holder = CreateWindowA("SorelResizeHost", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight,
                              window, nullptr, GetModuleHandleA(nullptr), nullptr);
  auto* effect = new Effect;
  auto* editor = new Editor(effect);  // the effect owns it
  if (!editor->open(holder)) {
    std::printf("ERROR the frame did not open\n");
    return 1;
  }
  sorel::testing::pumpMessages();
  const CRect grown(0, 0, kWidth + 100, kHeight + 50);
  const CRect old(0, 0, kWidth, kHeight);
  report(editor->beforeSizeChange(grown, old), holder, window);
  hostCanSize = false;
  report(editor->beforeSizeChange(grown, old), holder, window);
  sorel::testing::pumpMessages();
  editor->close();
  DestroyWindow(window);
  delete effect;
  std::fflush(stdout);
  return 0;
}
