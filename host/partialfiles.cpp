#include "partialfiles.h"

#include <cerrno>
#include <cstdio>
#include <map>
#include <mutex>

namespace sorel::host::partialfiles {
namespace {

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
  if (std::rename(found->second.c_str(), target.c_str()) != 0) {
    errorCode = errno;
    return false;
  }
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
