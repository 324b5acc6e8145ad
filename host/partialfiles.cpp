#include "partialfiles.h"

#include <cerrno>
#include <cstdio>
#include <map>
#include <mutex>

#ifdef _WIN32
#include <windows.h>
#endif

namespace sorel::host::partialfiles {
namespace {

// Puts `from` in the place of `to`, replacing what is there: rename(2) does
// that; on Windows rename refuses an existing target, the move is asked to.
bool replace(const std::string& from, const std::string& to, int& errorCode) {
#ifdef _WIN32
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  errorCode = GetLastError() == ERROR_PATH_NOT_FOUND ? ENOENT : EACCES;
  return false;
#else
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  errorCode = errno;
  return false;
#endif
}

struct Registry {
  std::mutex lock;
  std::map<std::uint64_t, std::string> paths;
  std::uint64_t nextKey = 1;
};

Registry& registry() {
  static Registry* r = new Registry;  // never destroyed: threads may still use it at exit
  return *r;
}

}  // namespace

std::uint64_t add(const std::string& path) {
  Registry& r = registry();
  std::lock_guard hold(r.lock);
  const std::uint64_t key = r.nextKey++;
  r.paths.emplace(key, path);
  return key;
}

void forget(std::uint64_t key) {
  Registry& r = registry();
  std::lock_guard hold(r.lock);
  r.paths.erase(key);
}

bool commit(std::uint64_t key, const std::string& target, int& errorCode) {
  Registry& r = registry();
  std::lock_guard hold(r.lock);
  const auto found = r.paths.find(key);
  if (found == r.paths.end()) {
    errorCode = ENOENT;
    return false;
  }
  if (!replace(found->second, target, errorCode)) return false;
  r.paths.erase(found);
  return true;
}

void removeAllAndHold() {
  Registry& r = registry();
  r.lock.lock();
  for (const auto& [key, path] : r.paths) std::remove(path.c_str());
  r.paths.clear();
}

}  // namespace sorel::host::partialfiles
