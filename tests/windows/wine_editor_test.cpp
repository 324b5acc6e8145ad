// The 64-bit DLL's editor under Wine on a private Xvfb, in a small Windows
// host: it draws like the Linux editor, a real pointer drag on a knob reaches
// the host, and opening and closing it many times leaks nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "cparamdisplay.h"
#include "editor_host.h"
#include "host.h"
#include "layout.h"
#include "loaded_plugin.h"
#include "param_index.h"
#include "preset.h"
#include "screengrab.h"
#include "toolrunner.h"
#include "waituntil.h"
#include "wineprogram.h"
#include "xvfbserver.h"

namespace sorel::testing {
namespace {

using namespace std::chrono_literals;
using VSTGUI::CColor;
using VSTGUI::CPoint;
using VSTGUI::CRect;

constexpr int kSaltKnobTag = 72;
constexpr int kVolumeInKnobTag = 108;

// The real pointer to (x, y) of the screen.
bool pointerTo(int x, int y) { return xdotool({"mousemove", std::to_string(x), std::to_string(y)}); }

// `view`'s area in the editor's window.
CRect inFrame(const VSTGUI::CView& view) {
  CPoint topLeft = view.getViewSize().getTopLeft();
  view.localToFrame(topLeft);
  return CRect(topLeft.x, topLeft.y, topLeft.x + view.getViewSize().getWidth(),
               topLeft.y + view.getViewSize().getHeight());
}

// "EDITOR left top width height"
bool parseEditorLine(const std::string& line, Rect& r) {
  return std::sscanf(line.c_str(), "EDITOR %d %d %d %d", &r.left, &r.top, &r.width, &r.height) == 4 && r.width > 0 &&
         r.height > 0;
}

// The parameter values the host read at exit ("VALUE index value").
std::map<int, float> finalValues(const std::vector<std::string>& lines) {
  std::map<int, float> values;
  for (const std::string& line : lines) {
    int index = 0;
    float value = 0;
    if (std::sscanf(line.c_str(), "VALUE %d %f", &index, &value) == 2) values[index] = value;
  }
  return values;
}

// The window areas of the editor's text views, a few pixels wider: GDI+ and
// cairo place and rasterise glyphs differently, so text is left out of the
// comparison and everything else (images, frames, colours) must match.
std::vector<CRect> textAreas(test::EditorHost& native) {
  std::vector<CRect> areas;
  for (int tag = 0; tag < kNumTags; ++tag) {
    for (const VSTGUI::CControl* control : {native.gui().getControl(tag), native.gui().getReadout(tag)})
      if (dynamic_cast<const VSTGUI::CParamDisplay*>(control)) areas.push_back(inFrame(*control).extend(4, 4));
  }
  return areas;
}

// Pixels whose colour differs from the Linux render by more than a text
// edge's worth, as a fraction of the area.
double differingShare(const ScreenGrab& wine, test::EditorHost& native, const Rect& r) {
  const std::vector<CRect> text = textAreas(native);
  long differing = 0, compared = 0;
  for (int y = 0; y < r.height; ++y) {
    for (int x = 0; x < r.width; ++x) {
      const CPoint p(x, y);
      if (std::any_of(text.begin(), text.end(), [&](const CRect& t) { return t.pointInside(p); })) continue;
      ++compared;
      const ScreenGrab::Rgb a = wine.at(x, y);
      const CColor b = native.driver().pixel(x, y);
      const int d = std::max({std::abs(a.red - b.red), std::abs(a.green - b.green), std::abs(a.blue - b.blue)});
      if (d > 40) ++differing;
    }
  }
  return compared == 0 ? 1.0 : static_cast<double>(differing) / static_cast<double>(compared);
}

class WineEditor : public test::LoadedPlugin {
 protected:
  static void SetUpTestSuite() {
    problem.clear();
    for (const char* file : {SOREL_WIN64_DLL, SOREL_WIN64_HOST, SOREL_WIN64_RESIZE, SOREL_WIN64_EDIT}) {
      if (!std::filesystem::exists(file)) problem = std::string(file) + " is missing (make windows builds it)";
    }
    if (!problem.empty()) return;
    if (!XvfbServer::installed()) {
      problem = "Xvfb is not installed";
      return;
    }
    server = new XvfbServer;
    if (!server->start()) {
      problem = "Xvfb did not start";
      return;
    }
    std::filesystem::create_directories(prefix());
    prepareWinePrefix(prefix(), problem);
  }

  static void TearDownTestSuite() {
    if (server) {
      stopWinePrefix(prefix());
      delete server;
      server = nullptr;
    }
  }

  void SetUp() override {
    ASSERT_TRUE(problem.empty()) << "the Windows editor cannot be tested: " << problem;
    ASSERT_NO_FATAL_FAILURE(LoadedPlugin::SetUp());
  }

  static std::string prefix() { return std::string(SOREL_TEST_OUTPUT) + "/wine64-prefix"; }
  static std::string output(const std::string& name) { return std::string(SOREL_TEST_OUTPUT) + "/" + name; }

  static std::string stopFile() { return output("wine-host-stop"); }

  // sorel-winhost showing the editor with `settings` ("INDEX=VALUE") for up
  // to a minute, or until the stop file appears; its output goes to `name`.
  static std::unique_ptr<WineProgram> show(std::vector<std::string> settings, const std::string& name) {
    std::filesystem::remove(stopFile());
    settings.insert(settings.begin(), {SOREL_WIN64_DLL, "show", "60"});
    settings.push_back("STOP=Z:" + stopFile());  // Wine's drive Z: is the Unix root
    return std::make_unique<WineProgram>(prefix(), SOREL_WIN64_HOST, settings, output(name));
  }

  // Where `program`'s editor is on screen, once it is painted (no longer the empty screen).
  static bool painted(WineProgram& program, Rect& editor) {
    const auto centreLit = [&] {
      const ScreenGrab grab(editor, output("wine-editor-wait.png"));
      const ScreenGrab::Rgb c = grab.valid() ? grab.at(editor.width / 2, editor.height / 2) : ScreenGrab::Rgb{};
      return c.red + c.green + c.blue > 0;
    };
    return parseEditorLine(program.waitForLine("EDITOR", 60s), editor) && waitUntil(centreLit, 10000, 100);
  }

  // Waits up to five seconds until at least `minimum` pixels of `area` differ
  // from `before` clearly (by more than 60 over red, green and blue).
  static bool changes(const Rect& area, const ScreenGrab& before, long minimum, const std::string& name) {
    return waitUntil(
        [&] {
          const ScreenGrab after(area, output(name));
          long changed = 0;
          for (int y = 0; after.valid() && y < area.height; ++y)
            for (int x = 0; x < area.width; ++x) {
              const ScreenGrab::Rgb a = before.at(x, y), b = after.at(x, y);
              if (std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue) > 60) ++changed;
            }
          return changed >= minimum;
        },
        5000, 100);
  }

  // The editor as the Linux build draws it off-screen, with `page` shown.
  static std::unique_ptr<test::EditorHost> linuxEditor(float page = 0.f) {
    VSTGUI::setPlatformBackEnd(VSTGUI::PlatformBackEnd::kOffscreen);
    auto native = std::make_unique<test::EditorHost>();
    native->plug().setParameter(kPage, page);
    return native->open() ? std::move(native) : nullptr;
  }

  static XvfbServer* server;
  static std::string problem;
};

XvfbServer* WineEditor::server = nullptr;
std::string WineEditor::problem;

// On the Stereo page also a real pointer drag on the Salt knob, and a value
// typed into the "vol in" read-out through the native edit control: the typed
// text follows the same rules as on Linux, and GDI+ redraws the read-out.
TEST_F(WineEditor, DrawsBothPagesLikeTheLinuxEditorAndADragAndATypedValueReachTheHost) {
  for (const int page : {0, 1}) {
    SCOPED_TRACE("page " + std::to_string(page));
    const float pageValue = page == 0 ? 0.f : 0.0078125f;
    const auto winhost = show({std::to_string(kPage) + "=" + (page == 0 ? "0" : "0.0078125")},
                              "wine-host-page" + std::to_string(page) + ".txt");
    Rect editor;
    ASSERT_TRUE(painted(*winhost, editor)) << "the editor did not open under Wine";
    // The pointer off the editor, so that no hover hint shows in the picture.
    ASSERT_TRUE(pointerTo(editor.left + editor.width + 8, editor.top + editor.height + 8));
    std::this_thread::sleep_for(500ms);
    ScreenGrab wine(editor, output("wine-editor-page" + std::to_string(page) + ".png"));
    ASSERT_TRUE(wine.valid());

    const auto native = linuxEditor(pageValue);
    ASSERT_TRUE(native);
    native->driver().renderAll();
    native->driver().writePNG(output("linux-editor-page" + std::to_string(page) + ".png"));
    // Same size, same images in the same places (text aside).
    ASSERT_EQ(editor.width, static_cast<int>(native->gui().getFrame()->getViewSize().getWidth()));
    ASSERT_EQ(editor.height, static_cast<int>(native->gui().getFrame()->getViewSize().getHeight()));
    EXPECT_LT(differingShare(wine, *native, editor), 0.01);

    const int volumeIn = parameterOfTag(kVolumeInKnobTag);
    if (page == 0) {
      // Forty pixels up on the Salt knob with the real pointer: 0.2 at the host.
      const CPoint centre = native->knob(kSaltKnobTag)->getViewSize().getCenter();
      const int x = editor.left + static_cast<int>(centre.x);
      const int y = editor.top + static_cast<int>(centre.y);
      // Pauses between the steps: a loaded machine must not let Wine see the
      // press before the pointer arrives, or the release before the last move.
      ASSERT_TRUE(pointerTo(x, y));
      std::this_thread::sleep_for(300ms);
      ASSERT_TRUE(xdotool({"mousedown", "1"}));
      for (int step = 1; step <= 4; ++step) {
        std::this_thread::sleep_for(150ms);
        ASSERT_TRUE(pointerTo(x, y - 10 * step));
      }
      std::this_thread::sleep_for(300ms);
      ASSERT_TRUE(xdotool({"mouseup", "1"}));
      EXPECT_FALSE(winhost->waitForLine("AUTOMATE " + std::to_string(kStereoBase) + " ", 10s).empty());

      // The read-out's entry opens with everything selected: typing replaces the text.
      const VSTGUI::CControl* readout = native->gui().getReadout(kVolumeInKnobTag);
      ASSERT_NE(readout, nullptr);
      const CRect shown = inFrame(*readout);
      const Rect area{editor.left + static_cast<int>(shown.left), editor.top + static_cast<int>(shown.top),
                      static_cast<int>(shown.getWidth()), static_cast<int>(shown.getHeight())};
      const auto away = [&] { return pointerTo(area.left + area.width + 40, area.top - 40); };
      ASSERT_TRUE(away());
      std::this_thread::sleep_for(500ms);
      const ScreenGrab before(area, output("wine-readout-before.png"));
      ASSERT_TRUE(before.valid());
      ASSERT_TRUE(pointerTo(area.left + area.width / 2, area.top + area.height / 2));
      std::this_thread::sleep_for(300ms);
      ASSERT_TRUE(xdotool({"click", "1"}));
      std::this_thread::sleep_for(500ms);
      ASSERT_TRUE(xdotool({"type", "--", "-1,5"}));
      ASSERT_TRUE(xdotool({"key", "Return"}));
      EXPECT_FALSE(winhost->waitForLine("AUTOMATE " + std::to_string(volumeIn) + " ", 10s).empty());
      // The pointer away again, then the read-out shows another text.
      ASSERT_TRUE(away());
      EXPECT_TRUE(changes(area, before, 10, "wine-readout-after.png"))
          << "the read-out was not redrawn with the typed value";
    }
    std::ofstream(stopFile()).put('\n');
    ASSERT_TRUE(winhost->finish(60s));
    const std::map<int, float> values = finalValues(winhost->lines());
    ASSERT_EQ(values.size(), 87u);
    EXPECT_NEAR(values.at(kStereoBase), page == 0 ? 0.2f : 0.f, 1e-5);
    // -1.5 dB on the input trim's range of +-6.02 dB.
    EXPECT_NEAR(values.at(volumeIn), page == 0 ? 0.5 - 1.5 / 6.02 : 0.5, 2e-6);
  }
}

TEST_F(WineEditor, OpeningAndClosingFiftyTimesLeaksNoGdiObjectsHandlesOrMemory) {
  WineProgram winhost(prefix(), SOREL_WIN64_HOST, {SOREL_WIN64_DLL, "cycle", "50"}, output("wine-host-cycle.txt"));
  ASSERT_TRUE(winhost.started());
  ASSERT_TRUE(winhost.finish(240s));
  std::vector<std::array<unsigned long, 3>> samples;
  for (const std::string& line : winhost.lines()) {
    std::array<unsigned long, 3> s{};
    if (std::sscanf(line.c_str(), "RESOURCES %lu %lu %lu", &s[0], &s[1], &s[2]) == 3)
      samples.push_back(s);
  }
  ASSERT_EQ(samples.size(), 2u) << "after the first and after the fiftieth close";
  const auto& first = samples[0];
  const auto& last = samples[1];
  // Wine keeps no object or handle counts; a leaked GDI object or handle per
  // cycle would lift the highest slot and handle the host probes by 49.
  EXPECT_LE(last[0], first[0] + 8) << "highest GDI slot";
  EXPECT_LE(last[1], first[1] + 8 * 4) << "highest handle";
  // One leaked back buffer per cycle would be about 60 MB.
  EXPECT_LE(last[2], first[2] + 4096) << "private memory, kB";
}

// The marker file on drive C: asks for the large skin: the editor doubles
// (also beyond the 1280 x 800 screen: the size is the editor's own).
TEST_F(WineEditor, TheBigMarkerFileOnDriveCDoublesTheWindow) {
  const std::string marker = prefix() + "/drive_c/PEPPER_Big.txt";
  std::ofstream(marker).put('\n');
  const auto winhost = show({}, "wine-host-big.txt");
  Rect editor;
  const bool opened = parseEditorLine(winhost->waitForLine("EDITOR", 60s), editor);
  std::ofstream(stopFile()).put('\n');
  std::filesystem::remove(marker);
  ASSERT_TRUE(opened);
  const auto native = linuxEditor();  // no marker where Linux looks: the normal skin
  ASSERT_TRUE(native);
  EXPECT_EQ(editor.width, 2 * static_cast<int>(native->gui().getFrame()->getViewSize().getWidth()));
  EXPECT_EQ(editor.height, 2 * static_cast<int>(native->gui().getFrame()->getViewSize().getHeight()));
  EXPECT_TRUE(winhost->finish(30s));
}

// The editor base asked for a larger size by the frame: a host that can
// resize its windows is asked to; for one that cannot, the editor base grows
// the host's windows itself, each keeping its border.
TEST_F(WineEditor, TheEditorBaseGrowsTheHostsWindowsWhenTheHostCannot) {
  WineProgram program(prefix(), SOREL_WIN64_RESIZE, {}, output("wine-resize.txt"));
  ASSERT_TRUE(program.started());
  ASSERT_TRUE(program.finish(60s));
  std::vector<std::string> windows;
  for (const std::string& line : program.lines()) {
    if (line.rfind("WINDOWS", 0) == 0) windows.push_back(line);
  }
  EXPECT_EQ(program.waitForLine("HOSTSIZED", 0s), "HOSTSIZED 500 350");
  // "WINDOWS answer holder-size client-size": untouched while the host
  // resizes, then the borderless holder and the captioned window's client
  // area both exactly the new 500 x 350.
  EXPECT_EQ(windows, (std::vector<std::string>{"WINDOWS 1 400 300 400 300", "WINDOWS 1 500 350 500 350"}));
}

// sorel-render's editing session with its Windows window: a real click flips
// Sugar's switch, Alt+F4 closes the window, and the preset holds the flip and
// otherwise exactly a fresh instance's state, in place of the file that was
// there.
TEST_F(WineEditor, TheEditingSessionSavesWhatWasClickedWhenItsWindowIsClosed) {
  const std::string preset = output("wine-edited.fxp");
  std::ofstream(preset) << "an older file";
  WineProgram edit(prefix(), SOREL_WIN64_EDIT, {SOREL_WIN64_DLL, "Z:" + preset}, output("wine-edit.txt"));
  ASSERT_TRUE(edit.started());
  Rect editor;
  ASSERT_TRUE(painted(edit, editor)) << "the editing window did not open";

  // Sugar's on/off switch on the Stereo page (32 x 16 at 566, 92).
  const Rect lamp{editor.left + 574, editor.top + 96, 16, 8};
  const ScreenGrab before(lamp, output("wine-edit-switch-before.png"));
  ASSERT_TRUE(before.valid());
  ASSERT_TRUE(pointerTo(editor.left + 582, editor.top + 100));
  ASSERT_TRUE(xdotool({"click", "1"}));
  ASSERT_TRUE(changes(lamp, before, 1, "wine-edit-switch-after.png")) << "the switch was not redrawn after the click";
  ASSERT_TRUE(xdotool({"key", "alt+F4"}));
  ASSERT_TRUE(edit.finish(60s));
  EXPECT_EQ(edit.waitForLine("SAVED", 0s), "SAVED");

  host::Preset saved;
  std::string error;
  ASSERT_TRUE(host::readPresetFile(preset, saved, &error)) << error;
  fx->dispatch(effOpen);
  constexpr int kSugarOn = test::moduleParam(kStereoBase, test::kSugarModule, test::kOn);
  fx->setParameter(kSugarOn, fx->getParameter(kSugarOn) == 0.f ? 1.f : 0.f);
  EXPECT_EQ(saved.chunk, fx->getChunk());
}

}  // namespace
}  // namespace sorel::testing
