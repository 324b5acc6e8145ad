// The block frame around the modules, through the host interface, where the
// engine's model comparison does not reach: bypass, non-finite input, far
// pages, the channel arrangement and hostile sizes. These run on separate
// input and output buffers; the model comparison runs in place.
#include <cmath>
#include <limits>

#include "loaded_plugin.h"
#include "parameters.h"

namespace sorel::test {
namespace {

class Frame : public LoadedPlugin {
 protected:
  void SetUp() override {
    LoadedPlugin::SetUp();
    fx->start(48000.0f, 64);
  }
};

TEST_F(Frame, BypassPassesEverythingBitForBit) {
  fx->setParameter(kGlobalOn, 0.49f);
  fx->setParameter(kVolIn, 1.0f);
  fx->setParameter(kAntiAlias, 1.0f);
  auto in = noise(300, 4.0f);
  in[0][5] = std::numeric_limits<float>::quiet_NaN();
  auto out = process(in);
  EXPECT_TRUE(std::isnan(out[0][5]));
  in[0][5] = out[0][5] = 0.0f;
  EXPECT_EQ(out, in);
}

TEST_F(Frame, NonFiniteInputNeverGetsThrough) {
  std::vector<std::vector<float>> in = {
      {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
       -std::numeric_limits<float>::infinity(), 0.5f},
      {-std::numeric_limits<float>::signaling_NaN(), 1.0f, -1.0f, -0.25f}};
  fx->setParameter(kVolOut, 1.0f);
  const auto out = process(in);
  const float g = 1.4142135f;
  EXPECT_EQ(out[0], (std::vector<float>{0.0f, 1.0f, -1.0f, 0.5f * g}));
  EXPECT_EQ(out[1], (std::vector<float>{0.0f, 1.0f, -1.0f, -0.25f * g}));
}

// (The engine's model comparison covers pages 0 to 3; these are the far ones.)
TEST_F(Frame, PagesAboveTwoRunNoModules) {
  const auto in = noise(2048, 0.99f, 11);
  fx->setParameter(kVolOut, 0.25f);
  const float g = process({{1.0f}, {1.0f}})[0][0];  // the output gain alone
  ASSERT_LT(g, 0.9f);
  for (float page : {3.0f / 128.0f, 100.0f / 128.0f, 1.0f, -1.0f}) {
    fx->setParameter(kPage, page);
    const auto scaled = process(in);
    for (int c = 0; c < 2; ++c)
      for (std::size_t i = 0; i < in[0].size(); ++i)
        ASSERT_EQ(scaled[c][i], in[c][i] * g) << page;  // gain only, no matrix
  }
}

TEST_F(Frame, OneChannelTouchesOnlyChannelZero) {
  ASSERT_TRUE(fx->setChannels(1));
  fx->setParameter(kVolIn, 1.0f);
  std::vector<float> left = {0.5f, -0.9f, 0.1f}, right(3, 9.0f), outLeft(3, 0.0f), outRight(3, 5.0f);
  float* inputs[2] = {left.data(), right.data()};
  float* outputs[2] = {outLeft.data(), outRight.data()};
  fx->processReplacing(inputs, outputs, 3);
  EXPECT_EQ(outLeft, (std::vector<float>{0.5f * 1.4142135f, -1.0f, 0.1f * 1.4142135f}));
  EXPECT_EQ(outRight, (std::vector<float>(3, 5.0f)));
  // A one-element channel array is all a mono host needs to pass.
  float* single[1] = {left.data()};
  fx->processReplacing(single, single, 3);
  EXPECT_EQ(left[1], -1.0f);
}

// Double precision is not offered: a host calling it anyway gets its buffers back untouched.
TEST_F(Frame, EmptyAndNegativeBlocksAndDoublesDoNothingAndHostileRatesAndSizesAreSurvived) {
  float a = 3.0f, b = -3.0f;
  float* io[2] = {&a, &b};
  fx->processReplacing(io, io, 0);
  fx->processReplacing(io, io, -5);
  fx->processReplacing(nullptr, nullptr, 1);
  EXPECT_EQ(a, 3.0f);
  EXPECT_EQ(b, -3.0f);
  double left = 1.0, right = 2.0;
  double* doubles[2] = {&left, &right};
  fx->effect()->processDoubleReplacing(fx->effect(), doubles, doubles, 1);
  EXPECT_EQ(left + right, 3.0);

  // Hostile rates and sizes are survived. (Rates that are not positive
  // numbers are the engine's lifecycle tests'.)
  for (float rate : {1.0f, 3.0e38f}) fx->dispatch(effSetSampleRate, 0, 0, nullptr, rate);
  for (VstIntPtr size : {VstIntPtr{0}, VstIntPtr{-1}, VstIntPtr{1} << 40, VstIntPtr{1}}) {
    fx->suspend();
    fx->dispatch(effSetBlockSize, 0, size);
    fx->resume();
    fx->setParameter(kAntiAlias, 1.0f);
    // No module runs: the split band alone, which gives the input one sample late.
    const auto in = noise(300, 0.9f);
    const auto out = process(in);
    for (int c = 0; c < 2; ++c)
      for (std::size_t i = 1; i < in[0].size(); ++i) ASSERT_NEAR(out[c][i], in[c][i - 1], 1e-6f) << size << ' ' << i;
  }
}

}  // namespace
}  // namespace sorel::test
