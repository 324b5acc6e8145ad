#include "toolrunner.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace sorel::testing {

std::string findProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  const std::string dirs = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const std::string candidate = dirs.substr(start, end - start) + "/" + name;
    struct stat info {};
    if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    start = end + 1;
  }
  return {};
}

int startProgram(const std::string& program, const std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  return pid < 0 ? -1 : pid;
}

bool waitProgram(int pid, int timeoutMs) {
  if (pid < 0) return false;
  int status = 0;
  for (int waited = 0;; waited += 5) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) return false;
    if (waited >= timeoutMs) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return false;
    }
    usleep(5000);
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool runProgram(const std::string& program, const std::vector<std::string>& args, int timeoutMs) {
  return waitProgram(startProgram(program, args), timeoutMs);
}

bool xdotool(const std::vector<std::string>& args) {
  static const std::string program = findProgram("xdotool");
  return !program.empty() && runProgram(program, args);
}

}  // namespace sorel::testing
