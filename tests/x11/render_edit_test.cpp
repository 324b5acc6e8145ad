// sorel-render --edit as a person uses it: the program runs on its own under
// the private X server, the real pointer and keyboard change the sound, the
// window manager's close ends it, and the preset it leaves holds exactly what
// was done.
// clang-format off
#include <gtest/gtest.h>
#include <X11/Xlib.h>  // after gtest: its macros (None, Bool) clash with gtest's names
#include <X11/Xutil.h>
// clang-format on

#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "editsession.h"
#include "host.h"
#include "hostwindow.h"
#include "loaded_plugin.h"
#include "param_index.h"
#include "preset.h"
#include "scopedenv.h"
#include "screenshot.h"
#include "toolrunner.h"
#include "waituntil.h"
#include "xvfbserver.h"

namespace sorel::testing {
namespace {

namespace fs = std::filesystem;
constexpr int kStereoSugarOn = test::moduleParam(kStereoBase, test::kSugarModule, test::kOn);

// Polls `done` every 10 ms for up to ten seconds.
bool waitFor(const std::function<bool()>& done) { return waitUntil(done, 10000); }

// The fixture's fresh instance of the built plug-in is what the presets are
// compared against.
class RenderEdit : public test::LoadedPlugin {
 protected:
  void SetUp() override {
    if (!XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_NO_FATAL_FAILURE(LoadedPlugin::SetUp());
    ASSERT_TRUE(server.start());
    display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    folder = fs::path(SOREL_TEST_OUTPUT) / ("render-edit-" + std::to_string(::getpid()));
    // For sorel-render in the sanitizer build (the others ignore them): the
    // slow unwinding reaches the frames the suppressions name.
    const char* asan = std::getenv("ASAN_OPTIONS");
    setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":fast_unwind_on_malloc=0").c_str(), 1);
    setenv("LSAN_OPTIONS", "suppressions=" SOREL_RENDER_LSAN_SUPPRESSIONS, 1);
    fs::create_directories(folder);
  }

  void TearDown() override {
    program.stop();
    if (display) XCloseDisplay(display);
    server.stop();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }

  void start(const std::vector<std::string>& args) { program.pid = startProgram(SOREL_RENDER_PATH, args); }

  // Exit status 0 within ten seconds.
  bool exitsCleanly() {
    const bool ok = waitForExit(program.pid, 10000);
    program.pid = -1;
    return ok;
  }

  // The top-level window whose title names what closing saves.
  Window findEditWindow() {
    Window found = 0;
    waitFor([&] { return (found = topLevelNamed(display, "close to save")) != 0; });
    return found;
  }

  // What a window manager sends when the user closes a window.
  void askToClose(Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
  }

  XvfbServer server;
  Display* display = nullptr;
  fs::path folder;
  StartedProgram program;
};

TEST_F(RenderEdit, AClickAndATypedValueReachThePresetAndNothingElseChanges) {
  const std::string out = (folder / "edited.fxp").string();
  start({"--edit", "--save-preset", out});
  const Window window = findEditWindow();
  ASSERT_NE(window, 0u);
  Window editor = 0;
  ASSERT_TRUE(waitFor([&] { return (editor = onlyChild(display, window)) != 0; }));
  // The skin is up: the module panels are light.
  ASSERT_TRUE(waitFor([&] { return windowPixel(display, editor, 100, 300) > 0xa0a0a0; }));

  // Sugar's on/off switch on the Stereo page (32 x 16 at 566, 92): the
  // switch's picture changes once the editor has taken the click.
  const long switchBefore = windowPixel(display, editor, 582, 100);
  ASSERT_TRUE(pointerAt(display, editor, 582, 100, {"click", "1"}));
  ASSERT_TRUE(waitFor([&] { return windowPixel(display, editor, 582, 100) != switchBefore; }));

  // The "vol in" read-out (70 x 14 above the IN knob at 821, 161): a click
  // opens the entry, which takes the keyboard; Return commits and gives the
  // keyboard back to the host's window.
  ASSERT_TRUE(pointerAt(display, editor, 841, 150, {"click", "1"}));
  ASSERT_TRUE(waitFor([&] { return inputFocus(display) == editor; }));
  ASSERT_TRUE(xdotool({"key", "minus", "1", "comma", "5", "Return"}));
  ASSERT_TRUE(waitFor([&] { return inputFocus(display) == window; }));
  XWindowAttributes size{};
  XGetWindowAttributes(display, window, &size);
  EXPECT_TRUE(writeWindowPNG(display, window, size.width, size.height, SOREL_TEST_OUTPUT "/render-edit.png"));

  askToClose(window);
  ASSERT_TRUE(exitsCleanly());

  host::Preset saved;
  std::string error;
  ASSERT_TRUE(host::readPresetFile(out, saved, &error)) << error;
  auto after = another();
  after->setChunk(saved.chunk);
  const float volIn = after->getParameter(kVolIn), sugarOn = after->getParameter(kStereoSugarOn);
  EXPECT_NEAR(volIn, 0.5 - 1.5 / 6.02, 1e-5);  // -1.5 dB in the ±3 dB range
  EXPECT_EQ(sugarOn, fx->getParameter(kStereoSugarOn) == 0.f ? 1.f : 0.f);
  // Apart from those two, the whole state (values and stores) is as it was.
  fx->setParameter(kVolIn, volIn);
  fx->setParameter(kStereoSugarOn, sugarOn);
  EXPECT_EQ(fx->getChunk(), after->getChunk());
}

TEST_F(RenderEdit, ASignalEndsEditingAndSavesWhatTheSettingsAloneWouldSave) {
  const std::vector<std::string> settings = {"-s", "stereo.salt=40%", "-s", "vol.out=-0.5dB"};
  const std::string reference = (folder / "reference.fxp").string();
  std::vector<std::string> args = settings;
  args.insert(args.end(), {"--save-preset", reference});
  ASSERT_TRUE(runProgram(SOREL_RENDER_PATH, args));

  const std::string out = (folder / "signalled.fxp").string();
  args = settings;
  args.insert(args.end(), {"--edit", "--save-preset", out});
  start(args);
  const Window window = findEditWindow();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(waitFor([&] { return onlyChild(display, window) != 0; }));
  kill(program.pid, SIGTERM);
  ASSERT_TRUE(exitsCleanly());

  host::Preset saved, expected;
  std::string error;
  ASSERT_TRUE(host::readPresetFile(out, saved, &error)) << error;
  ASSERT_TRUE(host::readPresetFile(reference, expected, &error)) << error;
  EXPECT_EQ(saved, expected);
}

TEST(RenderEditWithoutDisplay, FailsAtOnceAndWritesNothing) {
  const ScopedEnv noDisplay("DISPLAY", nullptr);
  const std::string out = (fs::temp_directory_path() / ("sorel-edit-" + std::to_string(::getpid()) + ".fxp")).string();
  EXPECT_FALSE(runProgram(SOREL_RENDER_PATH, {"--edit", "--save-preset", out}, 10000));
  EXPECT_FALSE(fs::exists(out));
}

// A size an X window cannot take (over 16 bits, or cut from a 64-bit value)
// would end sorel-render with an X error: the host says no instead.
TEST(RenderEditWindowSize, OnlySizesAWindowCanTakeAreAccepted) {
  int w = 0, h = 0;
  EXPECT_TRUE(host::askedWindowSize(1792, 680, w, h));
  EXPECT_EQ(w, 1792);
  EXPECT_EQ(h, 680);
  for (const auto& [width, height] : {std::pair<VstInt32, VstIntPtr>{0, 680},
                                      {896, -1},
                                      {70000, 680},
                                      {896, 32768},
                                      {896, (VstIntPtr{1} << 32) + 680}})
    EXPECT_FALSE(host::askedWindowSize(width, height, w, h)) << width << " x " << height;
  EXPECT_EQ(w, 1792) << "a refused size leaves the last one";
}

}  // namespace
}  // namespace sorel::testing
