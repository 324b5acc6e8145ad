// Polling with a deadline, for what the X server, Wine or another process
// does in its own time.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace sorel::testing {

// Runs `step` (when given) and checks `done` every `intervalMs` until `done`
// holds (true) or `timeoutMs` have passed (false).
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs = 2000, int intervalMs = 10,
                      const std::function<void()>& step = {}) {
  for (int waited = 0; waited <= timeoutMs; waited += intervalMs) {
    if (step) step();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(intervalMs));
  }
  return false;
}

}  // namespace sorel::testing
