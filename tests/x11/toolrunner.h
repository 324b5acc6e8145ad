// Running the command-line tools the tests drive the X server with.
#pragma once

#include <string>
#include <vector>

namespace sorel::testing {

// The executable `name` on PATH, or empty.
std::string findProgram(const std::string& name);
// Starts `program` with `args` and returns at once: its process id, or -1.
int startProgram(const std::string& program, const std::vector<std::string>& args);
// Waits at most `timeoutMs` for a started program (then kills it); true when
// it exited with status 0.
bool waitProgram(int pid, int timeoutMs);
// Runs `program` with `args`, waits at most `timeoutMs` (then kills it);
// true when it exited with status 0.
bool runProgram(const std::string& program, const std::vector<std::string>& args, int timeoutMs = 10000);
// xdotool with these arguments, on the current DISPLAY.
bool xdotool(const std::vector<std::string>& args);

}  // namespace sorel::testing
