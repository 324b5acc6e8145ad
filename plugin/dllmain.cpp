// The library's start routine: it only keeps the module handle, which the
// toolkit needs to find the skin in the library's resources. Nothing else
// may run here (the loader lock is held).
#include "platform/win32/win32module.h"

extern "C" int __stdcall DllMain(void* instance, unsigned long reason, void*) {
  constexpr unsigned long kProcessAttach = 1;
  if (reason == kProcessAttach) VSTGUI::setPlatformModuleHandle(instance);
  return 1;
}
