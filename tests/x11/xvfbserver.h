// A private X server for one test process: Xvfb on a display number it picks
// itself, with DISPLAY pointing at it while it runs.
#pragma once

#include <sys/types.h>

#include <optional>

#include "scopedenv.h"

namespace sorel::testing {

class XvfbServer {
 public:
  XvfbServer() = default;
  ~XvfbServer() { stop(); }
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // Whether the Xvfb program is installed at all.
  static bool installed();
  // Starts the server (1280 x 800, 24 bits) and sets DISPLAY; false when it
  // did not come up within a few seconds.
  bool start();
  // Ends the server and restores DISPLAY.
  void stop();

 private:
  pid_t pid = -1;
  std::optional<ScopedEnv> displaySetting;
};

}  // namespace sorel::testing
