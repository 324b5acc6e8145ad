#include "xvfbserver.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "toolrunner.h"

namespace sorel::testing {

namespace {
constexpr int kStartTimeoutMs = 10000;

// Reads what Xvfb writes to its display fd: the number and a newline.
std::string readDisplayNumber(int fd) {
  std::string number;
  for (;;) {
    pollfd wait{fd, POLLIN, 0};
    if (poll(&wait, 1, kStartTimeoutMs) <= 0) return {};
    char c = 0;
    const ssize_t got = read(fd, &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return {};
    if (c == '\n') return number;
    number += c;
  }
}
}  // namespace

bool XvfbServer::installed() { return !findProgram("Xvfb").empty(); }

bool XvfbServer::start() {
  const std::string program = findProgram("Xvfb");
  if (program.empty()) return false;
  int report[2];
  if (pipe(report) != 0) return false;
  const pid_t testProcess = getpid();
  pid = fork();
  if (pid == 0) {
    // The server goes with the test process, even when a sanitizer ends it.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != testProcess) _exit(1);
    close(report[0]);
    const int quiet = open("/dev/null", O_WRONLY);
    if (quiet >= 0) dup2(quiet, STDERR_FILENO);
    const std::string fd = std::to_string(report[1]);
    execl(program.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x800x24", "-nolisten", "tcp",
          "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(report[1]);
  const std::string number = pid > 0 ? readDisplayNumber(report[0]) : std::string();
  close(report[0]);
  if (number.empty()) {
    stop();
    return false;
  }
  displaySetting.emplace("DISPLAY", (":" + number).c_str());
  return true;
}

void XvfbServer::stop() {
  if (pid > 0) {
    kill(pid, SIGTERM);
    waitForExit(pid, 5000);
  }
  pid = -1;
  displaySetting.reset();
}

}  // namespace sorel::testing
