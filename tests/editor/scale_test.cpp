// The skin choice, typed values, and the large skin end to end.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>
#include <vector>

#include "../x11/scopedenv.h"
#include "caboutview.h"
#include "editor_host.h"
#include "platform/linux/drmscreen.h"
#include "skinscale.h"
#include "typedvalue.h"

namespace sorel::test {
namespace {

TEST(SkinScale, MarkerFilesWinThenDenseLargeScreensGetTheLargeSkin) {
  SkinScaleFacts facts;
  EXPECT_EQ(decideSkinScale(facts).scale, 1.f);
  facts.bigMarker = true;
  facts.smallMarker = true;
  EXPECT_TRUE(decideSkinScale(facts).large);
  facts.bigMarker = false;
  facts.screenKnown = true;
  facts.widthPixels = 3840, facts.heightPixels = 2160, facts.widthMm = 300;
  EXPECT_FALSE(decideSkinScale(facts).large);  // the small marker forces the normal skin
  facts.smallMarker = false;
  EXPECT_TRUE(decideSkinScale(facts).large);  // 325 dpi
  EXPECT_EQ(decideSkinScale(facts).scale, 2.f);
  facts.widthMm = 600;  // 162 dpi
  EXPECT_FALSE(decideSkinScale(facts).large);
  facts.widthPixels = 1920, facts.heightPixels = 1200, facts.widthMm = 200;  // dense but not large
  EXPECT_FALSE(decideSkinScale(facts).large);
  facts.widthPixels = 2560, facts.heightPixels = 1201, facts.widthMm = 325;  // 200.07 dpi
  EXPECT_TRUE(decideSkinScale(facts).large);
  facts.widthMm = 0;  // no physical size
  EXPECT_FALSE(decideSkinScale(facts).large);
}

// A 128-byte EDID block as a monitor sends it: header, version 1.4, the
// screen size in centimetres (bytes 21, 22), and a first detailed timing
// descriptor (from byte 54) with the active pixels and the image size in
// millimetres (bytes 66 to 68, the high nibbles sharing byte 68).
std::vector<unsigned char> edidBlock(int widthPixels, int heightPixels, int widthMm, int heightMm) {
  std::vector<unsigned char> b(128, 0);
  const unsigned char header[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
  std::copy(header, header + 8, b.begin());
  b[18] = 1, b[19] = 4;
  b[21] = static_cast<unsigned char>((widthMm + 5) / 10);
  b[22] = static_cast<unsigned char>((heightMm + 5) / 10);
  b[54] = 0x40, b[55] = 0x1F;  // pixel clock, 10 kHz units
  b[56] = static_cast<unsigned char>(widthPixels & 0xFF);
  b[58] = static_cast<unsigned char>((widthPixels >> 8) << 4);
  b[59] = static_cast<unsigned char>(heightPixels & 0xFF);
  b[61] = static_cast<unsigned char>((heightPixels >> 8) << 4);
  b[66] = static_cast<unsigned char>(widthMm & 0xFF);
  b[67] = static_cast<unsigned char>(heightMm & 0xFF);
  b[68] = static_cast<unsigned char>(((widthMm >> 8) << 4) | ((heightMm >> 8) & 0x0F));
  b[127] = static_cast<unsigned char>(-std::accumulate(b.begin(), b.end() - 1, 0));
  return b;
}

// A stand-in for /sys/class/drm: one folder a connector.
class Connectors {
 public:
  Connectors() : root(outputPath("drm")) {
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "card0");  // the card itself has no status
  }
  ~Connectors() { std::filesystem::remove_all(root); }
  void add(const std::string& name, const char* status, const std::vector<unsigned char>& edid, const char* modes) {
    std::filesystem::create_directories(root / name);
    std::ofstream(root / name / "status") << status << "\n";
    std::ofstream(root / name / "edid", std::ios::binary)
        .write(reinterpret_cast<const char*>(edid.data()), static_cast<std::streamsize>(edid.size()));
    std::ofstream(root / name / "modes") << modes;
  }
  // The scale the rule picks for what is connected, and what it read.
  SkinScale scale(SkinScaleFacts& facts) const {
    int heightMm = 0;
    facts.screenKnown =
        VSTGUI::drm::screenSize(root.string(), facts.widthPixels, facts.heightPixels, facts.widthMm, heightMm);
    return decideSkinScale(facts);
  }
  std::filesystem::path root;
};

// A 13.3-inch 2880x1800 laptop panel: 256 dpi. A 27-inch 2560x1440 desktop
// monitor: 109 dpi (its width needs byte 68's high nibble).
const std::vector<unsigned char> kLaptopPanel = edidBlock(2880, 1800, 286, 179);
const std::vector<unsigned char> kDesktopMonitor = edidBlock(2560, 1440, 597, 336);

TEST(SkinScale, TheLastConnectedMonitorsOwnEdidDecidesAndNoMonitorMeansScaleOne) {
  SkinScaleFacts facts;
  Connectors drm;
  EXPECT_EQ(drm.scale(facts).scale, 1.f);
  EXPECT_FALSE(facts.screenKnown) << "a headless machine";
  drm.add("card0-eDP-1", "connected", kLaptopPanel, "2880x1800\n1920x1200\n");
  EXPECT_EQ(drm.scale(facts).scale, 2.f);
  EXPECT_EQ(facts.widthPixels, 2880);
  EXPECT_EQ(facts.heightPixels, 1800);
  EXPECT_EQ(facts.widthMm, 286);
  drm.add("card1-DP-1", "connected", kDesktopMonitor, "2560x1440\n");
  drm.add("card1-HDMI-A-1", "disconnected", kLaptopPanel, "");
  EXPECT_EQ(drm.scale(facts).scale, 1.f);
  EXPECT_EQ(facts.widthMm, 597) << "the connected monitor last in name order";
  drm.add("card1-DP-1", "connected", std::vector<unsigned char>(kDesktopMonitor.begin(), kDesktopMonitor.begin() + 68),
          "2560x1440\n");
  EXPECT_FALSE(drm.scale(facts).large);
  EXPECT_FALSE(facts.screenKnown) << "a cut-off EDID gives no size, and the earlier panel does not stand in";
  drm.add("card1-DP-1", "connected", kLaptopPanel, "");
  EXPECT_FALSE(drm.scale(facts).large);
  EXPECT_FALSE(facts.screenKnown) << "no modes, no pixel size";
}

TEST(TypedValues, NumbersAreCleanedThenMappedPerReadout) {
  EXPECT_DOUBLE_EQ(readTypedNumber("-1,5 dB"), -1.5);
  EXPECT_DOUBLE_EQ(readTypedNumber("12.5.3"), 12.53);
  EXPECT_DOUBLE_EQ(readTypedNumber("5-3"), 53);
  EXPECT_DOUBLE_EQ(readTypedNumber("abc"), 0);
  EXPECT_DOUBLE_EQ(readTypedNumber(""), 0);
  EXPECT_NEAR(typedToNormalised(108, -1.5, false, false), 0.5 - 1.5 / 6.02, 1e-6);
  EXPECT_FLOAT_EQ(typedToNormalised(110, 9.03, true, false), 1.f);  // out reads its own (narrow) switch
  EXPECT_NEAR(typedToNormalised(111, 9.03, false, true), 0.5 + 9.03 / 36.12, 1e-6);
  EXPECT_FLOAT_EQ(typedToNormalised(72, 25, false, false), 0.25f);
  EXPECT_FLOAT_EQ(typedToNormalised(72, 150, false, false), 1.f);
  EXPECT_FLOAT_EQ(typedToNormalised(72, -3, false, false), 0.f);
}

TEST(LargeSkin, AMarkerFileDoublesEveryCoordinate) {
  const auto folder = std::filesystem::path(outputPath("config-large"));
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "PEPPER_Big.txt") << "\n";
  {
    const sorel::testing::ScopedEnv config("XDG_CONFIG_HOME", folder.c_str());
    EditorHost host;
    ERect* rect = nullptr;
    host.dispatch(effEditGetRect, 0, 0, &rect);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right, 1792);
    EXPECT_EQ(rect->bottom, 680);
    ASSERT_TRUE(host.open());
    EXPECT_EQ(host.knob(72)->getViewSize(), VSTGUI::CRect(66, 220, 228, 382));
    // The about view's areas double with the picture.
    auto* about = dynamic_cast<CAboutView*>(host.gui().getAboutView());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->getViewSize(), VSTGUI::CRect(0, 0, 1792, 680));
    EXPECT_EQ(about->getLinkArea(0), VSTGUI::CRect(388, 308, 780, 340));
    host.driver().renderAll();
    EXPECT_TRUE(host.driver().writePNG(outputPath("editor-stereo-2x.png")));
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace sorel::test
