#include "editsession.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>

#include "editwindow.h"
#include "effectpreset.h"

namespace sorel::host {
namespace {

// The host an open editor sees: it may ask for another window size, which
// the loop applies to the window on its own thread.
class EditingHost : public Host {
 public:
  VstIntPtr answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override {
    if (opcode == audioMasterCanDo && ptr && std::strcmp(static_cast<const char*>(ptr), "sizeWindow") == 0) return 1;
    if (opcode == audioMasterSizeWindow) {
      int w = 0, h = 0;
      if (!askedWindowSize(index, value, w, h)) return 0;
      width = w;
      height = h;
      resizeAsked = true;
      return 1;
    }
    return Host::answer(effect, opcode, index, value, ptr, opt);
  }

  // The size asked for since the last call, if any.
  bool takeResize(int& w, int& h) {
    if (!resizeAsked.exchange(false)) return false;
    w = width;
    h = height;
    return true;
  }

 private:
  std::atomic<int> width{0}, height{0};
  std::atomic<bool> resizeAsked{false};
};

bool editorSize(HostedEffect& effect, int& width, int& height) {
  ERect* rect = nullptr;
  if (effect.dispatch(effEditGetRect, 0, 0, &rect) == 0 || !rect) return false;
  width = rect->right - rect->left;
  height = rect->bottom - rect->top;
  return width > 0 && height > 0;
}

// Window events as they come, the editor's idle at a steady rate.
void runUntilClosed(HostedEffect& effect, EditingHost& host, EditWindow& window, const std::atomic<int>& stop) {
  using Clock = std::chrono::steady_clock;
  const auto period = std::chrono::milliseconds(kEditIdleMilliseconds);
  auto next = Clock::now();
  while (window.handleEvents() && stop.load() == 0) {
    const auto now = Clock::now();
    if (now >= next) {
      effect.dispatch(effEditIdle);
      int width = 0, height = 0;
      if (host.takeResize(width, height)) window.resize(width, height);
      next = now - next > period ? now + period : next + period;  // a late tick is not caught up
    }
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now()).count();
    window.waitForEvents(static_cast<int>(std::max<long long>(wait, 0)));
  }
}

}  // namespace

bool editAndSavePreset(const Session& session, const std::string& presetPath, const std::atomic<int>& stop,
                       std::string* error) {
  EditingHost host;
  auto effect = session.instance(host, 2, 48000.0f, 512, error);
  if (!effect) return false;
  if (!canWriteEffectPreset(*effect, presetPath, error)) return false;
  int width = 0, height = 0;
  if (!(effect->effect()->flags & effFlagsHasEditor) || !editorSize(*effect, width, height)) {
    if (error) *error = "the plug-in has no editor to show";
    return false;
  }
  std::string programName = session.programName();
  effect->dispatch(effSetProgramName, 0, 0, programName.data());
  const std::string title =
      effect->effectName() + " - close to save " + std::filesystem::path(presetPath).filename().string();
  auto window = EditWindow::open(title, width, height, error);
  if (!window) return false;
  if (effect->dispatch(effEditOpen, 0, 0, window->parentHandle()) == 0) {
    if (error) *error = "the plug-in's editor did not open";
    return false;
  }
  // An editor may settle its size only once it is open.
  int openWidth = 0, openHeight = 0;
  if (editorSize(*effect, openWidth, openHeight) && (openWidth != width || openHeight != height))
    window->resize(openWidth, openHeight);
  runUntilClosed(*effect, host, *window, stop);
  effect->dispatch(effEditClose);
  window.reset();
  return writeEffectPreset(*effect, presetPath, error);
}

}  // namespace sorel::host
