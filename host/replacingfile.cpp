#include "replacingfile.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "partialfiles.h"

namespace sorel::host {
namespace {

namespace fs = std::filesystem;
std::atomic<unsigned> counter{0};

}  // namespace

ReplacingFile::ReplacingFile(const std::string& path) : target(path) {
  const fs::path out(path);
  const fs::path dir = out.has_parent_path() ? out.parent_path() : fs::path(".");
  // Appended piece by piece: one long chain of operator+ makes GCC 12 warn
  // about overlapping copies that cannot happen.
  std::string name = ".";
  name += out.filename().string();
  name += ".partial-";
  name += std::to_string(::getpid());
  name += '-';
  name += std::to_string(counter.fetch_add(1));
  temporary = (dir / name).string();
  key = partialfiles::add(temporary);
}

ReplacingFile::~ReplacingFile() {
  if (committed) return;
  std::remove(temporary.c_str());
  partialfiles::forget(key);
}

bool ReplacingFile::commit(std::string* error) {
  // A file that is replaced keeps its permissions (a new one gets the umask's).
  std::error_code ignored;
  const fs::file_status existing = fs::status(target, ignored);
  if (fs::is_regular_file(existing)) fs::permissions(temporary, existing.permissions(), ignored);
  int code = 0;
  if (!partialfiles::commit(key, target, code)) {
    if (error) *error = "cannot replace '" + target + "': " + std::strerror(code);
    return false;
  }
  committed = true;
  return true;
}

}  // namespace sorel::host
