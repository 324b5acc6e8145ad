#include "library.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace sorel::host {
namespace {

#if defined(_WIN32)
void* openNative(const std::string& path) { return LoadLibraryA(path.c_str()); }
void* findSymbol(void* handle, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
void closeNative(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
std::string lastError() { return "LoadLibrary failed with error " + std::to_string(GetLastError()); }
#else
void* openNative(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }
void* findSymbol(void* handle, const char* name) { return dlsym(handle, name); }
void closeNative(void* handle) { dlclose(handle); }
std::string lastError() {
  const char* e = dlerror();
  return e ? e : "unknown loader error";
}
#endif

}  // namespace

std::shared_ptr<PluginLibrary> PluginLibrary::open(const std::string& path, std::string* error) {
#if defined(_WIN32)
  void* handle = openNative(path);
#else
  // A bare name is a file in the current folder, not a search of the
  // system's library path.
  void* handle = openNative(path.find('/') == std::string::npos ? "./" + path : path);
#endif
  if (!handle) {
    if (error) *error = "cannot load " + path + ": " + lastError();
    return nullptr;
  }
  void* symbol = findSymbol(handle, "VSTPluginMain");
  if (!symbol) symbol = findSymbol(handle, "main");
  if (!symbol) {
    closeNative(handle);
    if (error) *error = path + " exports neither VSTPluginMain nor main: not a VST 2.4 plug-in";
    return nullptr;
  }
  return std::shared_ptr<PluginLibrary>(new PluginLibrary(handle, reinterpret_cast<EntryPoint>(symbol), path));
}

PluginLibrary::PluginLibrary(void* h, EntryPoint e, std::string path)
    : handle(h), entry(e), filePath(std::move(path)) {}

PluginLibrary::~PluginLibrary() { closeNative(handle); }

}  // namespace sorel::host
