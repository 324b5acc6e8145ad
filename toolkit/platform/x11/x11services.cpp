// Linux services: the clock, sleeping, links and the screen size, plus the
// entry point that opens an X11 frame.
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <string>

#include "../backends.h"
#include "../linux/drmscreen.h"
#include "x11frame.h"

namespace VSTGUI::native {

namespace {

// The first executable `name` on PATH, or empty.
std::string findOnPath(const char* name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    // An empty entry means the current folder.
    std::string candidate = end > start ? dirs.substr(start, end - start) : std::string(1, '.');
    candidate += '/';
    candidate += name;
    struct stat info {};
    if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    start = end + 1;
  }
  return {};
}

// Runs `program url` in a grandchild that nobody waits for: the child forks
// and leaves at once, so neither the host blocks nor a zombie stays behind.
// A close-on-exec pipe reports whether the program really started.
bool spawnDetached(const std::string& program, const char* url) {
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  const pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (child == 0) {
    // Only async-signal-safe calls from here on: the host may run threads.
    close(report[0]);
    setsid();
    const pid_t grandchild = fork();
    if (grandchild != 0) _exit(grandchild < 0 ? 1 : 0);
    char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(url), nullptr};
    execv(program.c_str(), argv);
    const int failure = errno;
    [[maybe_unused]] const ssize_t written = write(report[1], &failure, sizeof failure);
    _exit(127);
  }
  close(report[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int failure = 0;
  ssize_t got;
  do {
    got = read(report[0], &failure, sizeof failure);
  } while (got < 0 && errno == EINTR);
  close(report[0]);
  const bool forked = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return forked && got == 0;
}

}  // namespace

IPlatformFrame* createFrame(IPlatformFrameCallback* frame, const CRect& size, void* parent) {
  return x11::X11Frame::create(frame, size, parent);
}

// No system call and no allocation: safe on the audio thread.
uint64_t threadId() { return static_cast<uint64_t>(pthread_self()); }

uint32_t ticks() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const auto ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(ms);
}

void sleep(uint32_t milliseconds) {
  timespec wanted{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
  timespec left{};
  while (nanosleep(&wanted, &left) != 0 && errno == EINTR) wanted = left;
}

bool openURL(const char* url) {
  // A leading dash would be read as an option.
  if (!url || !*url || *url == '-') return false;
  const std::string program = findOnPath("xdg-open");
  return !program.empty() && spawnDetached(program, url);
}

// From the kernel's list of monitors: no display connection, so a host that
// only builds the effect (a scan, a render) never talks to the X server.
bool screenSize(int& widthPixels, int& heightPixels, int& widthMm, int& heightMm) {
  return drm::screenSize(drm::kConnectorRoot, widthPixels, heightPixels, widthMm, heightMm);
}

// The images come with the application's own code on Linux.
const IImageSource* moduleImages() { return nullptr; }

}  // namespace VSTGUI::native
