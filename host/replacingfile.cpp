#include "replacingfile.h"

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <system_error>

namespace sorel::host {
namespace {

namespace fs = std::filesystem;
std::atomic<unsigned> counter{0};

}  // namespace

ReplacingFile::ReplacingFile(const std::string& path) : target(path) {
  const fs::path out(path);
  const fs::path dir = out.has_parent_path() ? out.parent_path() : fs::path(".");
  temporary = (dir / ("." + out.filename().string() + ".partial-" + std::to_string(::getpid()) + "-" +
                      std::to_string(counter.fetch_add(1))))
                  .string();
}

ReplacingFile::~ReplacingFile() {
  std::error_code ignored;
  if (!committed) fs::remove(temporary, ignored);
}

bool ReplacingFile::commit(std::string* error) {
  std::error_code failure;
  fs::rename(temporary, target, failure);
  if (failure) {
    if (error) *error = "cannot replace '" + target + "': " + failure.message();
    return false;
  }
  committed = true;
  return true;
}

}  // namespace sorel::host
