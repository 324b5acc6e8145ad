// Parameter names, defaults and display texts as a host reads them, and the
// parameter model's rules that a host can observe.
#include <cmath>
#include <cstring>
#include <limits>
#include <map>

#include "loaded_plugin.h"
#include "param_index.h"

namespace sorel::test {
namespace {

using Parameters = LoadedPlugin;

TEST_F(Parameters, NamesAndDefaultsAsAHostSeesThem) {
  const std::map<int, std::pair<std::string, float>> expected = {
      {0, {"global on", 1.0f}},     {1, {"page", 0.0f}},           {2, {"vol in", 0.5f}},
      {3, {"vol out", 0.5f}},       {4, {"spare", 0.33333334f}},   {8, {"spare", 0.0f}},
      {9, {"CompValidA", 0.0f}},    {11, {"CompValidC", 0.0f}},    {12, {"Salt", 0.0f}},
      {13, {"Salt Flavour", 0.5f}}, {14, {"Salt On", 1.0f}},       {15, {"StereoSaltX1", 1.0f}},
      {20, {"PepperOn", 1.0f}},     {26, {"SugarOn", 1.0f}},       {30, {"Chili", 0.0f}},
      {32, {"Chili", 1.0f}},        {35, {"StereoChiliX3", 1.0f}}, {36, {"Salt", 0.0f}},
      {39, {"MidSaltX1", 1.0f}},    {57, {"MidChiliX1", 1.0f}},    {63, {"SideSaltX1", 1.0f}},
      {76, {"SideSugarX2", 1.0f}},  {83, {"SideChiliX3", 1.0f}},   {84, {"3/18dbIn", 0.0f}},
      {85, {"3/18dbIn", 0.0f}},     {86, {"AntiAl", 0.0f}}};
  for (const auto& [index, row] : expected) {
    EXPECT_EQ(fx->paramName(index), row.first) << index;
    EXPECT_EQ(fx->getParameter(index), row.second) << index;
  }
  for (int i = 0; i < kNumParams; ++i) {
    EXPECT_FALSE(fx->paramName(i).empty()) << i;
    EXPECT_LT(fx->paramName(i).size(), 24u) << i;
  }
  EXPECT_EQ(fx->paramName(kNumParams), "");
  EXPECT_EQ(fx->paramName(-1), "");
  EXPECT_EQ(fx->getParameter(kCmdNothing), 0.0f);
  EXPECT_EQ(fx->getParameter(-1), 0.0f);
  EXPECT_EQ(fx->getParameter(1000000), 0.0f);
}

TEST_F(Parameters, DisplayTextsAtTheirEdges) {
  // Defaults first (NaN: leave the value alone), then set values. Out-of-range
  // values are stored as they come and decoded by the same rules.
  const float kDefault = std::numeric_limits<float>::quiet_NaN();
  const struct {
    int index;
    float value;
    const char* text;
  } cases[] = {{kGlobalOn, kDefault, "1.000000"},
               {kVolIn, kDefault, "0.00dB"},
               {kFilterFreq, kDefault, "100.0Hz"},
               {kStereoBase, kDefault, "0.00%"},
               {kStereoBase + kFlavour, kDefault, "50.00%"},
               {moduleParam(kSideBase, kChiliModule, kOn), kDefault, "100.00%"},  // a switch: %
               {moduleParam(kSideBase, kChiliModule, kX1), kDefault, "1.000000"},
               {moduleParam(kSideBase, kChiliModule, kX3), kDefault, "1.000000"},
               {kAntiAlias, kDefault, "0.000000"},
               {kCmdNothing, kDefault, ""},
               {-3, kDefault, ""},
               {kVolIn, 0.0f, "-3.01dB"},
               {kVolOut, 1.0f, "3.01dB"},
               {kFilterFreq, 0.0f, "25.0Hz"},
               {kFilterFreq, 1.0f, "250.0Hz"},
               {moduleParam(kMidBase, kPepperModule, kX3), 0.123456f, "12.35%"},
               {kStereoBase, 2.0f, "200.00%"}};
  for (const auto& c : cases) {
    if (!std::isnan(c.value)) fx->setParameter(c.index, c.value);
    EXPECT_EQ(fx->paramDisplay(c.index), c.text) << c.index << " at " << c.value;
  }
  EXPECT_EQ(fx->getParameter(kStereoSalt), 2.0f);
  fx->setParameter(kFilterFreq + 1, -1.0e30f);  // a plain spare
  EXPECT_LT(fx->paramDisplay(kFilterFreq + 1).size(), 32u);
}

// (How a boosted volume drops to the centre is the notices test's.)
TEST_F(Parameters, WideRangeLowersABoostedVolumeOnly) {
  fx->setParameter(kVolIn, 0.3f);
  EXPECT_EQ(fx->paramDisplay(kVolIn), "-1.20dB");
  fx->setParameter(kInRange, 1.0f);
  EXPECT_EQ(fx->getParameter(kVolIn), 0.3f);
  EXPECT_EQ(fx->paramDisplay(kVolIn), "-7.22dB");
  fx->setParameter(kVolIn, 1.0f);
  EXPECT_EQ(fx->paramDisplay(kVolIn), "18.06dB");
  // Back to narrow: the position stays, its gain follows the range.
  fx->setParameter(kInRange, 0.0f);
  EXPECT_EQ(fx->getParameter(kVolIn), 1.0f);
  EXPECT_EQ(fx->paramDisplay(kVolIn), "3.01dB");

  // The output's switch has the same rule and acts on "vol out" only.
  fx->setParameter(kVolOut, 0.9f);
  fx->setParameter(kOutRange, 0.75f);
  EXPECT_EQ(fx->getParameter(kVolOut), 0.5f);
  EXPECT_EQ(fx->getParameter(kVolIn), 1.0f);
}

TEST_F(Parameters, SetConversionsCopyTwentyOneValuesWithoutAutomation) {
  constexpr int kCopied = kParamsPerSet - 3;  // all but Chili's X1..X3
  for (int r = 0; r < kParamsPerSet; ++r) fx->setParameter(kStereoBase + r, 0.01f * static_cast<float>(r + 1));
  host.clearCalls();
  fx->setParameter(kCmdConvertSets, 0.0f);  // Stereo to Mid and Side
  for (int r = 0; r < kParamsPerSet; ++r) {
    const float expected = r < kCopied ? 0.01f * static_cast<float>(r + 1) : 1.0f;
    EXPECT_EQ(fx->getParameter(kMidBase + r), expected) << r;
    EXPECT_EQ(fx->getParameter(kSideBase + r), expected) << r;
  }
  EXPECT_EQ(callCount(audioMasterAutomate), 0u);

  // (Mid to Stereo is the editor commands' test.)
  fx->setParameter(moduleParam(kMidBase, kSaltModule, kFlavour), 0.7f);
  fx->setParameter(kCmdConvertSets, whole(3));  // Mid to Side
  EXPECT_EQ(fx->getParameter(moduleParam(kSideBase, kSaltModule, kFlavour)), 0.7f);
  fx->setParameter(moduleParam(kStereoBase, kSaltModule, kFlavour), 0.2f);
  fx->setParameter(kCmdConvertSets, whole(1));  // Stereo to Mid, Side untouched
  EXPECT_EQ(fx->getParameter(moduleParam(kMidBase, kSaltModule, kFlavour)), 0.2f);
  EXPECT_EQ(fx->getParameter(moduleParam(kSideBase, kSaltModule, kFlavour)), 0.7f);
  // Unknown modes do nothing.
  fx->setParameter(kCmdConvertSets, whole(4));
  fx->setParameter(kCmdConvertSets, -1.0f);
  EXPECT_EQ(fx->getParameter(moduleParam(kSideBase, kSaltModule, kFlavour)), 0.7f);
  EXPECT_EQ(fx->getParameter(kCmdConvertSets), 0.0f);
}

// Exactly 0.5 reads differently by kind: "global on" still processes, a
// compare store still holds its snapshot, a range switch is still narrow.
TEST_F(Parameters, EachKindOfFlagReadsExactlyHalfItsOwnWay) {
  fx->setParameter(kVolIn, 0.0f);  // -3.01 dB, so processing shows
  fx->setParameter(kGlobalOn, 0.5f);
  const auto out = process({{1.0f, 0.5f}, {0.5f, 1.0f}});
  EXPECT_NEAR(out[0][0], 0.70710677f, 1e-6f) << "processed, not bypassed";

  fx->setParameter(kVolIn, 1.0f);
  fx->setParameter(kInRange, 0.5f);
  EXPECT_EQ(fx->paramDisplay(kVolIn), "3.01dB") << "the narrow range";
  EXPECT_EQ(fx->getParameter(kVolIn), 1.0f) << "not lowered as a wide switch would";

  const int salt = moduleParam(kStereoBase, kSaltModule);
  fx->setParameter(salt, 0.3f);
  fx->setParameter(kCmdCaptureA, 1.0f);
  fx->setParameter(kCompValidA, 0.5f);
  fx->setParameter(salt, 0.9f);
  fx->setParameter(kCompareSelect, 1.0f / 128.0f);
  fx->setParameter(kCompareSelect, 0.0f);
  EXPECT_EQ(fx->getParameter(salt), 0.3f) << "store A holds its snapshot";
}

}  // namespace
}  // namespace sorel::test
