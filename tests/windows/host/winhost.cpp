// sorel-winhost: the editor of a VST 2.4 DLL in a window of its own, as a
// Windows host shows it. For the tests under Wine; it prints what the host
// hears on standard output, one line each:
//   EDITOR left top width height   the editor's client area on the screen
//   AUTOMATE index value           the plug-in automated a parameter
//   VALUE index value              at exit, every parameter
//   RESOURCES gdi-slot handle-slot private-kB
//                                  (cycle) after the first and after the last cycle
//
//   sorel-winhost DLL show SECONDS [INDEX=VALUE...] [STOP=PATH]
//                                      set those parameters, open the editor,
//                                      idle it, close it after SECONDS or once
//                                      the file PATH exists
//   sorel-winhost DLL cycle COUNT      open, idle and close the editor COUNT times
// windows.h first: the other system headers need its types.
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host.h"
#include "toplevel.h"

namespace {

using sorel::host::HostedEffect;

// The loader's host, printing the automation it hears.
class PrintingHost : public sorel::host::Host {
 public:
  VstIntPtr answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override {
    if (opcode == audioMasterAutomate) {
      std::printf("AUTOMATE %d %.6f\n", index, opt);
      std::fflush(stdout);
    }
    return Host::answer(effect, opcode, index, value, ptr, opt);
  }
};

// A file whose appearance ends "show" early (STOP=PATH on the command line).
const char* stopFile = nullptr;

bool stopRequested() { return stopFile && GetFileAttributesA(stopFile) != INVALID_FILE_ATTRIBUTES; }

// Runs the message loop and the editor's idle (every 20 ms) for `ms`.
void idleFor(HostedEffect& effect, DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms && !stopRequested()) {
    sorel::testing::pumpMessages();
    effect.dispatch(effEditIdle);
    Sleep(20);
  }
}

bool openEditor(HostedEffect& effect, HWND window) {
  if (effect.dispatch(effEditOpen, 0, 0, window) == 0) return false;
  return FindWindowExA(window, nullptr, nullptr, nullptr) != nullptr;  // the editor's child window
}

// Wine answers 0 to GetGuiResources and GetProcessHandleCount, so three
// probes stand in for them: the highest GDI table slot and kernel handle that
// fresh objects get (both tables hand out the lowest or most recently freed
// entries, so leaked objects push them up) and the private memory.
// The highest value `slot` gives of 32 objects made at once with `make`.
template <typename Make, typename Slot, typename Free>
unsigned long highestOf32(Make make, Slot slot, Free free) {
  decltype(make()) objects[32];
  unsigned long highest = 0;
  for (auto& object : objects) highest = std::max(highest, slot(object = make()));
  for (auto object : objects) free(object);
  return highest;
}

unsigned long highestGdiSlot() {
  return highestOf32([] { return CreateSolidBrush(RGB(1, 2, 3)); },
                     [](HBRUSH b) { return static_cast<unsigned long>(reinterpret_cast<uintptr_t>(b) & 0xffff); },
                     [](HBRUSH b) { DeleteObject(b); });
}

unsigned long highestHandle() {
  return highestOf32([] { return CreateEventA(nullptr, FALSE, FALSE, nullptr); },
                     [](HANDLE h) { return static_cast<unsigned long>(reinterpret_cast<uintptr_t>(h)); },
                     [](HANDLE h) { CloseHandle(h); });
}

void printResources() {
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  std::printf("RESOURCES %lu %lu %lu\n", highestGdiSlot(), highestHandle(),
              static_cast<unsigned long>((memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage) / 1024));
  std::fflush(stdout);
}

int show(HostedEffect& effect, HWND window, int seconds) {
  if (!openEditor(effect, window)) {
    std::printf("ERROR the editor did not open\n");
    return 1;
  }
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  ERect* size = nullptr;  // the editor's own size (the window may be clipped by the screen)
  if (effect.dispatch(effEditGetRect, 0, 0, &size) == 0 || !size) return 1;
  std::printf("EDITOR %ld %ld %d %d\n", origin.x, origin.y, size->right - size->left, size->bottom - size->top);
  std::fflush(stdout);
  idleFor(effect, static_cast<DWORD>(seconds) * 1000);
  effect.dispatch(effEditClose);
  return 0;
}

int cycle(HostedEffect& effect, HWND window, int count) {
  for (int i = 0; i < count; ++i) {
    if (!openEditor(effect, window)) {
      std::printf("ERROR the editor did not open in cycle %d\n", i);
      return 1;
    }
    idleFor(effect, 60);
    effect.dispatch(effEditClose);
    idleFor(effect, 20);
    if (i == 0 || i == count - 1) printResources();
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: sorel-winhost DLL show SECONDS [INDEX=VALUE...] | DLL cycle COUNT\n");
    return 2;
  }
  PrintingHost host;
  std::string error;
  auto library = sorel::host::PluginLibrary::open(argv[1], &error);
  auto effect = library ? HostedEffect::create(library, host, &error) : nullptr;
  if (!effect) {
    std::printf("ERROR %s\n", error.c_str());
    return 1;
  }
  effect->dispatch(effOpen);
  for (int i = 4; i < argc; ++i) {
    if (std::strncmp(argv[i], "STOP=", 5) == 0) stopFile = argv[i] + 5;
    int index = 0;
    float value = 0;
    if (std::sscanf(argv[i], "%d=%f", &index, &value) == 2) effect->setParameter(index, value);
  }
  ERect* rect = nullptr;
  if (effect->dispatch(effEditGetRect, 0, 0, &rect) == 0 || !rect) {
    std::printf("ERROR no editor size\n");
    return 1;
  }
  HWND window = sorel::testing::createTopLevel("SorelTestHost", rect->right - rect->left, rect->bottom - rect->top);
  const int amount = std::atoi(argv[3]);
  const int result =
      std::strcmp(argv[2], "cycle") == 0 ? cycle(*effect, window, amount) : show(*effect, window, amount);
  for (VstInt32 i = 0; i < effect->effect()->numParams; ++i) std::printf("VALUE %d %.6f\n", i, effect->getParameter(i));
  effect.reset();
  DestroyWindow(window);
  std::fflush(stdout);
  return result;
}
