// The engine's lifecycle and floating-point state: rates a host may send, the
// split filters' history across switching and rebuilds, and denormals.
#include <gtest/gtest.h>
#include <xmmintrin.h>

#include <cmath>
#include <limits>

#include "direct_plug.h"
#include "param_index.h"

namespace sorel::test {
namespace {

class Lifecycle : public ::testing::Test {
 protected:
  void SetUp() override {
    plug = makePlug();
    plug->setSampleRate(48000.0f);
    plug->setBlockSize(64);
    plug->resume();
  }
  std::vector<float> run(std::vector<float> left) {
    std::vector<float> right(left.size(), 0.0f);
    runBlock(*plug, left, right);
    return left;
  }
  std::unique_ptr<CPlug> plug;
};

TEST_F(Lifecycle, RatesThatAreNotPositiveNumbersAreIgnored) {
  for (float bad : {0.0f, -48000.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()})
    plug->setSampleRate(bad);
  EXPECT_EQ(plug->getEngine().getSampleRate(), 48000.0);
  EXPECT_EQ(plug->getSampleRate(), 48000.0f);
  // Nothing was marked for rebuilding: the split history survives a resume.
  plug->setParameter(kAntiAlias, whole(1));
  run({0.25f, 0.5f});
  plug->resume();
  EXPECT_EQ(run({0.0f})[0], 0.5f);
}

// A new block size rebuilds the split filters at the next resume, clearing
// their history. (That the history stands still while the split is off, and
// clears on a new rate, runs in the exactness test's comparison.)
TEST_F(Lifecycle, ANewBlockSizeClearsTheSplitHistory) {
  plug->setParameter(kAntiAlias, whole(1));
  EXPECT_EQ(run({0.1f, 0.2f, 0.3f}), (std::vector<float>{0.0f, 0.1f, 0.2f}));  // one sample late
  plug->setBlockSize(128);
  plug->resume();
  EXPECT_EQ(run({0.6f, 0.9f}), (std::vector<float>{0.0f, 0.6f}));
}

TEST_F(Lifecycle, DenormalsAreFlushedInsideAndTheCallersStateComesBack) {
  const unsigned before = _mm_getcsr();
  plug->setParameter(kVolIn, 1.0f);  // x1.414: a denormal times it stays denormal without DAZ
  const float tiny = 1.0e-40f;
  // A caller without FTZ / DAZ, with FTZ alone, and with both (whose register
  // the engine leaves alone): each flushes inside and gets its own state back.
  for (const unsigned flags : {0u, 0x8000u, 0x8040u}) {
    _mm_setcsr((before & ~0x8040u) | flags);
    const unsigned callers = _mm_getcsr();
    const auto out = run({tiny, -tiny});
    const unsigned after = _mm_getcsr();
    _mm_setcsr(before);
    EXPECT_EQ(after, callers) << flags;
    EXPECT_EQ(out[0], 0.0f) << flags;
    EXPECT_EQ(out[1], 0.0f) << flags;
  }
  // At unity gain nothing multiplies the sample and the clamp keeps an
  // in-range sample's bits: it passes as it came, in every build.
  plug->setParameter(kVolIn, 0.5f);
  EXPECT_EQ(run({tiny, -tiny}), (std::vector<float>{tiny, -tiny}));
}

// The output clamp would hide a filter gone to infinity, so look at the states.
TEST_F(Lifecycle, FiltersStayBoundedWhateverTheHostSends) {
  plug->setSampleRate(1.0f);  // absurd but positive: 7.5 Hz is above Nyquist
  plug->resume();
  for (int m = 0; m < 4; ++m)
    for (int field : {kAmount, kFlavour, kOn}) plug->setParameter(moduleParam(kStereoBase, m, field), 1.0f);
  std::vector<float> noise(4096);
  for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = std::sin(static_cast<float>(i) * 1.3f);
  const CModuleSet& set = plug->getEngine().moduleSet(CEngine::kStereoSet);
  for (int block = 0; block < 50; ++block) {
    run(noise);
    for (int ch = 0; ch < 2; ++ch) {
      ASSERT_LT(std::fabs(set.saltFilter(ch).y), 10.0) << block;
      ASSERT_LT(std::fabs(set.sugarFilter(ch).y), 10.0) << block;
    }
  }
  EXPECT_NE(set.sugarFilter(0).y, 0.0);  // the modules did run
}

}  // namespace
}  // namespace sorel::test
