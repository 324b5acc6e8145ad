// The skin choice, typed values, and the large skin end to end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "caboutview.h"
#include "editor_host.h"
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
  const char* previous = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = previous ? previous : "";
  setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
  {
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
  if (previous) {
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace sorel::test
