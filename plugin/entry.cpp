// The library's entry point: the host calls VSTPluginMain (or its alias
// main) with its callback and gets the effect record back, or null.
#include <new>

#include "plug.h"

#if defined(_WIN32)
#define SOREL_EXPORT
#else
#define SOREL_EXPORT __attribute__((visibility("default")))
#endif

extern "C" SOREL_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
  if (!audioMaster || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
  try {
    auto* effect = new sorel::CPlug(audioMaster);
    return effect->getAeffect();
  } catch (...) {
    return nullptr;  // a partly built effect has already been deleted by new
  }
}

#if !defined(_WIN32)
// Many Linux hosts look for "main". C++ reserves that name, so the alias is
// made under another name and given the symbol name "main".
extern "C" SOREL_EXPORT AEffect* sorelMainAlias(audioMasterCallback audioMaster) __asm__("main")
    __attribute__((alias("VSTPluginMain")));
#endif
