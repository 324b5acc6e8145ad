// sorel-winedit DLL PRESET: the editing session behind
// sorel-render --edit, built for Windows without the audio-file half (which
// needs libraries that are not cross-built here): the plug-in's editor in
// the host's own Win32 window until the user closes it, then the preset.
// Prints where the editor is on screen ("EDITOR left top width height", for
// the test driving the pointer), then "SAVED", or "FAILED" and why.
// clang-format off
#include <windows.h>
// clang-format on

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "editsession.h"
#include "session.h"

namespace {

// Watches for the editing window (its class is the session's own) until the
// editor is inside it, then reports the editor's place on screen.
void reportEditorPlace(const std::atomic<bool>& done) {
  while (!done.load()) {
    HWND window = FindWindowW(L"SorelEditWindow", nullptr);
    HWND editor = window ? GetWindow(window, GW_CHILD) : nullptr;
    RECT client{};
    if (editor && GetClientRect(editor, &client) && client.right > 0) {
      POINT topLeft{0, 0};
      ClientToScreen(editor, &topLeft);
      std::printf("EDITOR %ld %ld %ld %ld\n", topLeft.x, topLeft.y, client.right, client.bottom);
      std::fflush(stdout);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: sorel-winedit DLL PRESET\n");
    return 2;
  }
  std::string error;
  auto session = sorel::host::Session::create(argv[1], "", {}, &error);
  const std::atomic<int> stop{0};
  std::atomic<bool> done{false};
  std::thread watcher(reportEditorPlace, std::cref(done));
  const bool saved = session && sorel::host::editAndSavePreset(*session, argv[2], stop, &error);
  done = true;
  watcher.join();
  if (!saved) {
    std::printf("FAILED %s\n", error.c_str());
    return 1;
  }
  std::printf("SAVED\n");
  return 0;
}
