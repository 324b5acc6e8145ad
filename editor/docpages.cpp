#include "docpages.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#endif

namespace sorel {

namespace {

#ifdef _WIN32

std::string libraryFolder() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&documentationPage), &module)) {
    return "";
  }
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  std::string folder(path, length);
  const auto slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? "" : folder.substr(0, slash + 1);
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

constexpr const char* kDocFolders[] = {"doc\\sorel\\", "share\\doc\\sorel\\"};

#else

std::string libraryFolder() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&documentationPage), &info) || !info.dli_fname) return "";
  char resolved[PATH_MAX] = {};
  const std::string path = realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

bool exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

// An installed library sits in <prefix>/lib (or a folder below it); a build
// tree keeps the documentation beside the library or the test programs.
constexpr const char* kDocFolders[] = {"share/doc/sorel/", "../share/doc/sorel/", "../../share/doc/sorel/"};

#endif

}  // namespace

std::string documentationPage(const char* file) {
  const std::string folder = libraryFolder();
  if (folder.empty()) return "";
  for (const char* docs : kDocFolders) {
    const std::string path = folder + docs + file;
    if (exists(path)) return path;
  }
  return "";
}

}  // namespace sorel
