#include "inputspool.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace sorel::host {
namespace {

bool isStream(int fd) {
  struct stat status {};
  return ::fstat(fd, &status) == 0 && (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode));
}

// Copies `from` to a new file at `to`; false with *error.
bool copyAll(int from, const std::string& to, const std::string& shownName, std::string* error) {
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (out < 0) {
    *error = "cannot copy " + shownName + " to a temporary file: " + std::strerror(errno);
    return false;
  }
  char buffer[65536];
  bool ok = true;
  for (;;) {
    const ssize_t n = ::read(from, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n < 0) *error = "cannot read " + shownName + ": " + std::strerror(errno);
      ok = n == 0;
      break;
    }
    for (ssize_t done = 0; done < n && ok;) {
      const ssize_t w = ::write(out, buffer + done, static_cast<std::size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) *error = "cannot copy " + shownName + " to a temporary file: " + std::strerror(errno);
      ok = w >= 0;
      done += w > 0 ? w : 0;
    }
    if (!ok) break;
  }
  return ::close(out) == 0 && ok;
}

}  // namespace

bool InputSpool::prepare(const std::string& path, std::string* error) {
  original = path;
  if (path != "-" || !isStream(0)) return true;
  std::error_code ignored;
  copy.emplace((std::filesystem::temp_directory_path(ignored) / "sorel-render-stdin").string());
  std::string why;
  if (copyAll(0, copy->temporaryPath(), "standard input", &why)) return true;
  if (error) *error = why;
  return false;
}

}  // namespace sorel::host
