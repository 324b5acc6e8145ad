// The built plug-in's editor in a real X11 parent window, as a Linux host
// shows it: opened through the dispatcher, idled, dragged with real pointer
// events, automated by the host, and photographed. (What a drag or a click
// sends the host is the editor's, checked off-screen; a real click on a
// switch is sorel-render's editing test.)
// clang-format off
#include <gtest/gtest.h>
#include <X11/Xlib.h>  // after gtest: its macros (None, Bool) clash with gtest's names
// clang-format on

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "host.h"
#include "hostwindow.h"
#include "loaded_plugin.h"
#include "param_index.h"
#include "scopedenv.h"
#include "screenshot.h"
#include "toolrunner.h"
#include "waituntil.h"
#include "xvfbserver.h"

namespace sorel::testing {
namespace {

class PluginEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_TRUE(server.start());
    host.setRecording(true);
    effect = host::HostedEffect::create(test::pluginLibrary(), host, nullptr);
    ASSERT_TRUE(effect);
    effect->start(48000.f, 512);
  }

  void TearDown() override {
    if (effect) effect->dispatch(effEditClose);
    effect.reset();
    server.stop();
  }

  // Idles the editor (as a host's timer would) until `done` or two seconds.
  bool idleUntil(const std::function<bool()>& done) {
    return waitUntil(done, 2000, 10, [&] { effect->dispatch(effEditIdle); });
  }

  XvfbServer server;
  host::Host host;
  std::unique_ptr<host::HostedEffect> effect;
};

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

TEST_F(PluginEditor, OpensInTheHostsWindowFollowsTheHostAndAutomatesFromADrag) {
  ERect* rect = nullptr;
  ASSERT_EQ(effect->dispatch(effEditGetRect, 0, 0, &rect), 1);
  const int width = rect->right - rect->left;
  const int height = rect->bottom - rect->top;
  HostWindow parent(40, 40, width, height);
  ASSERT_TRUE(parent.isOpen());
  ASSERT_EQ(effect->dispatch(effEditOpen, 0, 0, parent.handle()), 1);
  const Window editor = parent.editorWindow();
  ASSERT_NE(editor, 0u);

  // The skin appears: the module panels are light, the frame dark.
  ASSERT_TRUE(idleUntil([&] { return parent.pixel(editor, 100, 300) > 0xa0a0a0; }));
  EXPECT_LT(parent.pixel(editor, 4, 330), 0x606060);
  std::filesystem::create_directories(SOREL_TEST_OUTPUT);
  EXPECT_TRUE(writeWindowPNG(parent.getDisplay(), editor, width, height, SOREL_TEST_OUTPUT "/editor-x11.png"));

  // Host automation moves the Pepper flavour knob (tag 76 at 310, 206).
  const long before = parent.pixel(editor, 327, 262);
  effect->setParameter(test::moduleParam(kStereoBase, test::kPepperModule, test::kFlavour), 0.f);
  EXPECT_TRUE(idleUntil([&] { return parent.pixel(editor, 327, 262) != before; }));

  // A real drag on the Salt knob: 40 pixels up is one gesture at the host.
  host.clearCalls();
  int x = 0, y = 0;
  ASSERT_TRUE(parent.toRoot(editor, 73, 150, x, y));
  ASSERT_TRUE(parent.pointerAt(editor, 73, 150));
  idleUntil([] { return false; });
  ASSERT_TRUE(xdotool({"mousedown", "1"}));
  for (int step = 1; step <= 4; ++step) {
    ASSERT_TRUE(xdotool({"mousemove", std::to_string(x), std::to_string(y - 10 * step)}));
    ASSERT_TRUE(waitForPointer(parent.getDisplay(), x, y - 10 * step));
    effect->dispatch(effEditIdle);
  }
  ASSERT_TRUE(xdotool({"mouseup", "1"}));
  ASSERT_TRUE(idleUntil([&] { return !host.calls(audioMasterEndEdit).empty(); }));
  EXPECT_EQ(host.calls(audioMasterBeginEdit).size(), 1u);
  EXPECT_EQ(host.calls(audioMasterEndEdit).size(), 1u);
  EXPECT_NEAR(effect->getParameter(kStereoBase), 0.2f, 1e-6);
  EXPECT_TRUE(writeWindowPNG(parent.getDisplay(), editor, width, height, SOREL_TEST_OUTPUT "/editor-x11-dragged.png"));

  effect->dispatch(effEditClose);
  EXPECT_EQ(parent.editorWindow(), 0u);
}

}  // namespace
}  // namespace sorel::testing
