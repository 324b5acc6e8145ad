// The bundle's UI in jalv (jalv.gtk3 on a dummy JACK server, on a private
// Xvfb): it opens in jalv's window with the VST editor's pixels, a real click
// and a real drag reach jalv, whose saved state holds them and reloads them.
// clang-format off
#include <gtest/gtest.h>
#include <X11/Xlib.h>  // after gtest: its macros (None, Bool) clash with gtest's names
#include <X11/Xutil.h>
// clang-format on

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "host.h"
#include "hostwindow.h"
#include "loaded_plugin.h"
#include "screenshot.h"
#include "toolrunner.h"
#include "waituntil.h"
#include "xvfbserver.h"

namespace sorel::testing {
namespace {

namespace fs = std::filesystem;

// A mapped window inside `of` that is width x height and holds no window.
Window leafOfSize(Display* display, Window of, int width, int height) {
  for (Window w : childrenOf(display, of)) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(display, w, &a) || a.map_state != IsViewable) continue;
    if (a.width == width && a.height == height && childrenOf(display, w).empty()) return w;
    if (Window inner = leafOfSize(display, w, width, height)) return inner;
  }
  return 0;
}

// Pixels that differ from pixel `from` on (row by row).
std::size_t differing(const std::vector<unsigned long>& a, const std::vector<unsigned long>& b, std::size_t from = 0) {
  if (a.size() != b.size()) return std::max(a.size(), b.size());
  std::size_t n = 0;
  for (std::size_t i = from; i < a.size(); ++i) n += a[i] != b[i];
  return n;
}

// The fixture's instance is the VST editor the UI is compared with.
class Jalv : public test::LoadedPlugin {
 protected:
  void SetUp() override {
    if (!XvfbServer::installed() || findProgram("jalv.gtk3").empty() || findProgram("jackd").empty())
      GTEST_SKIP() << "Xvfb, jalv.gtk3 or jackd is not installed";
    ASSERT_NO_FATAL_FAILURE(LoadedPlugin::SetUp());
    ASSERT_TRUE(server.start());
    display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    scratch = fs::path(SOREL_TEST_OUTPUT) / ("jalv-" + std::to_string(getpid()));
    fs::remove_all(scratch);
    fs::create_directories(scratch / "home");
    // A JACK server and a home of this test's own.
    const std::string jack = "sorel-test-" + std::to_string(getpid());
    setenv("JACK_DEFAULT_SERVER", jack.c_str(), 1);
    setenv("HOME", (scratch / "home").c_str(), 1);
    setenv("LV2_PATH", SOREL_LV2_DIR, 1);
    jackd.pid = startProgram(findProgram("jackd"), {"-n", jack, "-d", "dummy", "-r", "48000", "-p", "256"},
                             (scratch / "jackd.log").string());
    ASSERT_GT(jackd.pid, 0);
    waitUntil([] { return false; }, 1500);  // the server up before jalv looks for it
    fx->start(48000.f, 512);
    ERect* rect = nullptr;
    ASSERT_EQ(fx->dispatch(effEditGetRect, 0, 0, &rect), 1);
    width = rect->right - rect->left;
    height = rect->bottom - rect->top;
  }

  void TearDown() override {
    jalv.stop();
    jackd.stop();
    if (fx) fx->dispatch(effEditClose);
    fx.reset();
    if (display) XCloseDisplay(display);
    server.stop();
  }

  // Starts jalv.gtk3 (with `args` before the URI) and waits until the
  // editor is in its window and painted; the editor's window, or 0.
  Window startJalv(const std::vector<std::string>& args) {
    std::vector<std::string> all = args;
    all.push_back("urn:kestrune:sorel");
    jalv.pid = startProgram(findProgram("jalv.gtk3"), all, (scratch / "jalv.log").string());
    Window editor = 0;
    waitUntil(
        [&] {
          const Window top = topLevelNamed(display, "SOREL");
          editor = top ? leafOfSize(display, top, width, height) : 0;
          return editor && windowPixel(display, editor, 100, 300) > 0xa0a0a0;
        },
        20000, 50);
    waitUntil([] { return false; }, 300);  // the rest of the first paint
    return editor;
  }

  XvfbServer server;
  Display* display = nullptr;
  fs::path scratch;
  StartedProgram jackd, jalv;
  int width = 0, height = 0;
};

TEST_F(Jalv, ShowsTheEditorReachesJalvAndReloadsItsState) {
  const Window editor = startJalv({});
  ASSERT_NE(editor, 0u) << "no editor in jalv's window; see " << (scratch / "jalv.log");
  const auto shown = readPixels(display, editor, 0, 0, width, height);
  EXPECT_TRUE(writeWindowPNG(display, editor, width, height, (scratch / "jalv-editor.png").c_str()));

  // The VST editor, opened beside it, has the same pixels.
  HostWindow parent(200, 420, width, height);
  ASSERT_EQ(fx->dispatch(effEditOpen, 0, 0, parent.handle()), 1);
  const Window vstEditor = onlyChild(display, parent.getWindow());
  ASSERT_TRUE(waitUntil([&] { return parent.pixel(vstEditor, 100, 300) > 0xa0a0a0; }, 2000, 10,
                        [&] { fx->dispatch(effEditIdle); }));
  for (int i = 0; i < 20; ++i) fx->dispatch(effEditIdle);
  EXPECT_EQ(differing(shown, readPixels(display, vstEditor, 0, 0, width, height)), 0u);
  fx->dispatch(effEditClose);

  // A click on Salt's switch turns it off; a drag 40 pixels up on the Salt
  // knob sets it to 0.2.
  ASSERT_TRUE(pointerAt(display, editor, 190, 100, {"click", "1"}));
  int x = 0, y = 0;
  ASSERT_TRUE(toRoot(display, editor, 73, 150, x, y));
  ASSERT_TRUE(pointerAt(display, editor, 73, 150, {"mousedown", "1"}));
  for (int step = 1; step <= 4; ++step) {
    ASSERT_TRUE(xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y - 10 * step)}));
    waitUntil([] { return false; }, 60);
  }
  ASSERT_TRUE(xdotool({"mouseup", "1"}));
  ASSERT_TRUE(waitUntil([&] { return differing(shown, readPixels(display, editor, 0, 0, width, height)) > 0; }, 3000));
  waitUntil([] { return false; }, 300);
  const auto edited = readPixels(display, editor, 0, 0, width, height);
  EXPECT_TRUE(writeWindowPNG(display, editor, width, height, (scratch / "jalv-edited.png").c_str()));

  // jalv's Save (Control+S), into a new folder.
  const fs::path saved = scratch / "state";
  ASSERT_TRUE(pointerAt(display, topLevelNamed(display, "SOREL"), 15, 12, {"key", "ctrl+s"}));  // on the menu bar
  Window dialog = 0;
  ASSERT_TRUE(waitUntil([&] { return (dialog = topLevelNamed(display, "Save State")) != 0; }, 5000, 50));
  waitUntil([] { return false; }, 500);
  XWindowAttributes a{};
  ASSERT_TRUE(XGetWindowAttributes(display, dialog, &a));
  ASSERT_TRUE(pointerAt(display, dialog, 300, 26, {"click", "1", "type", "--delay", "5", saved.string()}));
  // The first click may only close the name's completion pop-up.
  for (int attempt = 0; attempt < 3 && !fs::exists(saved / "state.ttl"); ++attempt) {
    ASSERT_TRUE(pointerAt(display, dialog, a.width - 50, a.height - 24, {"click", "1"}));
    waitUntil([&] { return fs::exists(saved / "state.ttl"); }, 2000, 50);
  }
  ASSERT_TRUE(fs::exists(saved / "state.ttl"));
  waitUntil([] { return false; }, 300);

  // The values jalv holds for the two ports.
  std::stringstream text;
  text << std::ifstream(saved / "state.ttl").rdbuf();
  const std::string state = text.str();
  const auto portValue = [&](const std::string& symbol) {
    std::smatch m;
    const bool found =
        std::regex_search(state, m, std::regex("lv2:symbol \"" + symbol + R"(" ;\s*pset:value ([-0-9.e]+))"));
    return found ? std::stof(m[1]) : -1.0f;
  };
  EXPECT_EQ(portValue("stereo_salt_on"), 0.0f);
  EXPECT_NEAR(portValue("stereo_salt"), 0.2f, 1e-6);
  EXPECT_NE(state.find("urn:kestrune:sorel:chunk"), std::string::npos);

  // Reloaded, the editor shows the module panels as they were when saved
  // (from row 80 down: the hint read-out above still names the last
  // control the pointer passed).
  jalv.stop();
  const Window reloaded = startJalv({"-l", saved.string()});
  ASSERT_NE(reloaded, 0u);
  EXPECT_EQ(differing(edited, readPixels(display, reloaded, 0, 0, width, height), 80u * static_cast<unsigned>(width)),
            0u);
  EXPECT_TRUE(writeWindowPNG(display, reloaded, width, height, (scratch / "jalv-reloaded.png").c_str()));
}

}  // namespace
}  // namespace sorel::testing
