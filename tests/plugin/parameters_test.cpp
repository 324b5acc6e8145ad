// Parameter names, defaults and display texts as a host reads them, and the
// parameter model's rules that a host can observe.
#include <cmath>
#include <cstring>
#include <limits>
#include <map>

#include "loaded_plugin.h"
#include "parameters.h"

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
  for (int i = 0; i < 87; ++i) {
    EXPECT_FALSE(fx->paramName(i).empty()) << i;
    EXPECT_LT(fx->paramName(i).size(), 24u) << i;
  }
  EXPECT_EQ(fx->paramName(87), "");
  EXPECT_EQ(fx->paramName(-1), "");
  EXPECT_EQ(fx->getParameter(87), 0.0f);
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
  } cases[] = {{0, kDefault, "1.000000"},  {2, kDefault, "0.00dB"},    {4, kDefault, "100.0Hz"},
               {12, kDefault, "0.00%"},    {13, kDefault, "50.00%"},   {80, kDefault, "100.00%"},   // a switch: %
               {81, kDefault, "1.000000"}, {83, kDefault, "1.000000"}, {86, kDefault, "0.000000"},  // Chili X1..X3
               {87, kDefault, ""},         {-3, kDefault, ""},         {2, 0.0f, "-3.01dB"},
               {3, 1.0f, "3.01dB"},        {4, 0.0f, "25.0Hz"},        {4, 1.0f, "250.0Hz"},
               {47, 0.123456f, "12.35%"},  {12, 2.0f, "200.00%"}};
  for (const auto& c : cases) {
    if (!std::isnan(c.value)) fx->setParameter(c.index, c.value);
    EXPECT_EQ(fx->paramDisplay(c.index), c.text) << c.index << " at " << c.value;
  }
  EXPECT_EQ(fx->getParameter(12), 2.0f);
  fx->setParameter(5, -1.0e30f);
  EXPECT_LT(fx->paramDisplay(5).size(), 32u);
}

TEST_F(Parameters, WideRangeLowersABoostedVolumeOnly) {
  fx->setParameter(2, 0.8f);
  fx->setParameter(84, 1.0f);
  EXPECT_EQ(fx->getParameter(2), 0.5f);
  EXPECT_EQ(fx->paramDisplay(2), "0.00dB");

  fx->setParameter(84, 0.0f);
  fx->setParameter(2, 0.3f);
  EXPECT_EQ(fx->paramDisplay(2), "-1.20dB");
  fx->setParameter(84, 1.0f);
  EXPECT_EQ(fx->getParameter(2), 0.3f);
  EXPECT_EQ(fx->paramDisplay(2), "-7.22dB");
  fx->setParameter(2, 1.0f);
  EXPECT_EQ(fx->paramDisplay(2), "18.06dB");
  // Back to narrow: the position stays, its gain follows the range.
  fx->setParameter(84, 0.0f);
  EXPECT_EQ(fx->getParameter(2), 1.0f);
  EXPECT_EQ(fx->paramDisplay(2), "3.01dB");

  // The output's switch has the same rule and acts on "vol out" only.
  fx->setParameter(3, 0.9f);
  fx->setParameter(85, 0.75f);
  EXPECT_EQ(fx->getParameter(3), 0.5f);
  EXPECT_EQ(fx->getParameter(2), 1.0f);
  // Exactly 0.5 is not "above 0.5": still narrow.
  fx->setParameter(84, 0.5f);
  fx->setParameter(2, 0.0f);
  EXPECT_EQ(fx->paramDisplay(2), "-3.01dB");
}

TEST_F(Parameters, SetConversionsCopyTwentyOneValuesWithoutAutomation) {
  for (int r = 0; r < 24; ++r) fx->setParameter(12 + r, 0.01f * static_cast<float>(r + 1));
  host.clearCalls();
  fx->setParameter(88, 0.0f);  // Stereo to Mid and Side
  for (int r = 0; r < 21; ++r) {
    EXPECT_EQ(fx->getParameter(36 + r), 0.01f * static_cast<float>(r + 1)) << r;
    EXPECT_EQ(fx->getParameter(60 + r), 0.01f * static_cast<float>(r + 1)) << r;
  }
  for (int r = 21; r < 24; ++r) {  // Chili X1..X3 stay
    EXPECT_EQ(fx->getParameter(36 + r), 1.0f);
    EXPECT_EQ(fx->getParameter(60 + r), 1.0f);
  }
  EXPECT_EQ(callCount(audioMasterAutomate), 0u);

  fx->setParameter(36, 0.9f);
  fx->setParameter(88, 2.0f / 128.0f);  // Mid to Stereo
  EXPECT_EQ(fx->getParameter(12), 0.9f);
  fx->setParameter(37, 0.7f);
  fx->setParameter(88, 3.0f / 128.0f);  // Mid to Side
  EXPECT_EQ(fx->getParameter(61), 0.7f);
  fx->setParameter(13, 0.2f);
  fx->setParameter(88, 1.0f / 128.0f);  // Stereo to Mid, Side untouched
  EXPECT_EQ(fx->getParameter(37), 0.2f);
  EXPECT_EQ(fx->getParameter(61), 0.7f);
  // Unknown modes do nothing.
  fx->setParameter(88, 4.0f / 128.0f);
  fx->setParameter(88, -1.0f);
  EXPECT_EQ(fx->getParameter(61), 0.7f);
  EXPECT_EQ(fx->getParameter(88), 0.0f);
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

  const ParamIndex salt = moduleParam(kStereoBase, kSalt, kAmount);
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
