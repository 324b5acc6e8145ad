// Running the command-line tools the tests drive the X server with.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace sorel::testing {

// The executable `name` on PATH, or empty.
std::string findProgram(const std::string& name);
// Starts `program` with `args`; its standard output goes to `outputFile`
// (unless empty) and its errors are dropped when it has one. The child's id,
// or -1.
pid_t startProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::string& outputFile = {});
// Waits at most `timeoutMs` for `pid` to end (then kills it); true when it
// exited with status 0.
bool waitForExit(pid_t pid, int timeoutMs);
// Runs `program` with `args`, waits at most `timeoutMs` (then kills it);
// true when it exited with status 0.
bool runProgram(const std::string& program, const std::vector<std::string>& args, int timeoutMs = 10000);
// xdotool with these arguments, on the current DISPLAY.
bool xdotool(const std::vector<std::string>& args);

// A program a test started; stop() (or the end of the test) ends it.
struct StartedProgram {
  pid_t pid = -1;
  ~StartedProgram() { stop(); }
  void stop();
};

}  // namespace sorel::testing
