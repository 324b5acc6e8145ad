#include "wineprogram.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <thread>

#include "toolrunner.h"

namespace sorel::testing {

namespace {
// Quiet Wine, without the dialogs that offer to install its .NET and HTML
// engines into a new prefix.
void setWineEnvironment(const std::string& prefix) {
  setenv("WINEPREFIX", prefix.c_str(), 1);
  setenv("WINEDEBUG", "-all", 1);
  setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
}
}  // namespace

std::string wine64Path() {
  if (access("/usr/lib/wine/wine64", X_OK) == 0) return "/usr/lib/wine/wine64";
  return findProgram("wine64");
}

bool prepareWinePrefix(const std::string& prefix, std::string& error) {
  const std::string wine = wine64Path();
  if (wine.empty()) {
    error = "wine64 is not installed (make deps installs it)";
    return false;
  }
  setWineEnvironment(prefix);
  if (access((prefix + "/system.reg").c_str(), F_OK) == 0) return true;  // made by an earlier run
  // wineboot returns once the prefix is ready; the first time takes a while.
  if (!runProgram(wine, {"wineboot", "-i"}, 180000)) {
    error = "wineboot failed in " + prefix;
    return false;
  }
  return true;
}

void stopWinePrefix(const std::string& prefix) {
  std::string server = access("/usr/lib/wine/wineserver64", X_OK) == 0 ? "/usr/lib/wine/wineserver64" : "";
  if (server.empty()) server = findProgram("wineserver");
  if (server.empty()) return;
  setWineEnvironment(prefix);
  runProgram(server, {"-k"}, 20000);
}

WineProgram::WineProgram(const std::string& prefix, const std::string& exe, const std::vector<std::string>& args,
                         const std::string& outputFile)
    : output(outputFile) {
  // Emptied here, before the program starts: the child empties it only once
  // it runs, and until then a reader would take the last run's lines for
  // this one's.
  std::ofstream(outputFile, std::ios::trunc).flush();
  setWineEnvironment(prefix);
  std::vector<std::string> command{exe};
  command.insert(command.end(), args.begin(), args.end());
  pid = startProgram(wine64Path(), command, outputFile);
}

WineProgram::~WineProgram() {
  if (pid > 0) finish(std::chrono::milliseconds(0));
}

std::vector<std::string> WineProgram::lines() const {
  std::vector<std::string> all;
  std::ifstream in(output);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // the console writes CR LF
    all.push_back(line);
  }
  return all;
}

std::string WineProgram::waitForLine(const std::string& prefix, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  do {
    for (const std::string& line : lines()) {
      if (line.rfind(prefix, 0) == 0) return line;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  } while (std::chrono::steady_clock::now() < end);
  return {};
}

bool WineProgram::finish(std::chrono::milliseconds timeout) {
  const bool exited = waitForExit(pid, static_cast<int>(timeout.count()));
  pid = -1;
  return exited;
}

}  // namespace sorel::testing
