#include "toolrunner.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "waituntil.h"

namespace sorel::testing {

std::string findProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "/usr/bin:/bin");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    const std::string candidate = dir + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0 && std::filesystem::is_regular_file(candidate)) return candidate;
  }
  return {};
}

pid_t startProgram(const std::string& program, const std::vector<std::string>& args, const std::string& outputFile) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (!outputFile.empty()) {
    const int out = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out >= 0) dup2(out, STDOUT_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null >= 0) dup2(null, STDERR_FILENO);
  }
  execv(program.c_str(), argv.data());
  _exit(127);
}

bool waitForExit(pid_t pid, int timeoutMs) {
  if (pid <= 0) return false;
  int status = 0;
  pid_t done = 0;
  const auto ended = [&] { return (done = waitpid(pid, &status, WNOHANG)) == pid || (done < 0 && errno != EINTR); };
  if (!waitUntil(ended, timeoutMs, 5)) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return false;
  }
  return done == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool runProgram(const std::string& program, const std::vector<std::string>& args, int timeoutMs) {
  return waitForExit(startProgram(program, args), timeoutMs);
}

void StartedProgram::stop() {
  if (pid > 0) {
    kill(pid, SIGTERM);
    waitForExit(pid, 3000);
  }
  pid = -1;
}

bool xdotool(const std::vector<std::string>& args) {
  static const std::string program = findProgram("xdotool");
  return !program.empty() && runProgram(program, args);
}

}  // namespace sorel::testing
