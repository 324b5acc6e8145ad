// Running the cross-built Windows host under wine64 on the current DISPLAY,
// in a private Wine prefix, and reading what it prints.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace sorel::testing {

// The 64-bit Wine loader, or empty when Wine is not installed.
std::string wine64Path();

// Creates (first time) or updates the prefix; false with `error` set when
// Wine cannot start in it.
bool prepareWinePrefix(const std::string& prefix, std::string& error);

// Ends every Wine process of the prefix (its wineserver outlives programs).
void stopWinePrefix(const std::string& prefix);

class WineProgram {
 public:
  // Starts `exe` with `args`; its standard output goes to `outputFile`.
  WineProgram(const std::string& prefix, const std::string& exe, const std::vector<std::string>& args,
              const std::string& outputFile);
  ~WineProgram();
  WineProgram(const WineProgram&) = delete;
  WineProgram& operator=(const WineProgram&) = delete;

  bool started() const { return pid > 0; }
  // The first output line starting with `prefix`, waiting at most `timeout`;
  // empty when none came.
  std::string waitForLine(const std::string& prefix, std::chrono::milliseconds timeout);
  // Waits for the program to end (killing it after `timeout`); true when it
  // exited with status 0.
  bool finish(std::chrono::milliseconds timeout);
  // Every output line so far.
  std::vector<std::string> lines() const;

 private:
  pid_t pid = -1;
  std::string output;
};

}  // namespace sorel::testing
