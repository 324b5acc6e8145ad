// The built plug-in without its editor shown: building and running the
// effect, as scans and renders do, never talks to the X server. (The editor
// in a host's window is in sorel-render's editing test, the jalv test and
// the 500-cycle test; what a drag or a click sends the host, off-screen.)
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

#include "host.h"
#include "loaded_plugin.h"
#include "scopedenv.h"

namespace sorel::testing {
namespace {

// A display that counts who connects to it: a TCP listener on 127.0.0.1 at
// display number 6000 + n, hanging up at once so a client fails instead of
// waiting for a greeting that never comes.
class CountingDisplay {
 public:
  CountingDisplay() {
    listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    for (int n = 40; n < 100 && number < 0; ++n) {
      sockaddr_in address{};
      address.sin_family = AF_INET;
      address.sin_port = htons(static_cast<uint16_t>(6000 + n));
      address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && listen(listener, 4) == 0)
        number = n;
    }
    if (number >= 0) watcher = std::thread([this] { hangUpOnEveryone(); });
  }
  ~CountingDisplay() {
    stop = true;
    if (watcher.joinable()) watcher.join();
    close(listener);
  }
  std::string name() const { return "127.0.0.1:" + std::to_string(number); }
  bool listening() const { return number >= 0; }
  int connections() const { return count; }

 private:
  void hangUpOnEveryone() {
    while (!stop) {
      pollfd waiting{listener, POLLIN, 0};
      if (poll(&waiting, 1, 20) <= 0) continue;
      const int client = accept(listener, nullptr, nullptr);
      if (client < 0) continue;
      ++count;
      close(client);
    }
  }
  int listener = -1;
  int number = -1;
  std::atomic<bool> stop{false};
  std::atomic<int> count{0};
  std::thread watcher;
};

// Plug-in scans, renders and preset scratch instances build the effect (and
// with it the editor object) without ever showing it: none of that may reach
// the X server.
TEST(PluginConstruction, BuildingAndRunningTheEffectMakesNoDisplayConnection) {
  CountingDisplay display;
  ASSERT_TRUE(display.listening());
  const ScopedEnv counted("DISPLAY", display.name().c_str());
  host::Host host;
  auto effect = host::HostedEffect::create(test::pluginLibrary(), host, nullptr);
  ASSERT_TRUE(effect);
  effect->start(48000.f, 512);
  ERect* rect = nullptr;
  EXPECT_EQ(effect->dispatch(effEditGetRect, 0, 0, &rect), 1);
  effect->dispatch(effEditIdle);
  effect.reset();
  EXPECT_EQ(display.connections(), 0);
}

}  // namespace
}  // namespace sorel::testing
