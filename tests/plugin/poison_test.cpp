// Values that are not numbers, infinities and far-out values reach the effect
// as parameters. (Chunks and compare stores hand theirs on through the same
// path.) They are stored as given, but once good values return the sound must
// be what an instance that never saw them makes: no module may stay silent or
// pinned.
#include <cmath>
#include <limits>

#include "loaded_plugin.h"
#include "param_index.h"

namespace sorel::test {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr int kBlock = 4800;

// Every module of the Stereo set on at full amount and a middle flavour.
void goodSettings(host::HostedEffect& effect) {
  for (int m = 0; m < 4; ++m) {
    effect.setParameter(moduleParam(kStereoBase, m), 0.8f);
    effect.setParameter(moduleParam(kStereoBase, m, kFlavour), 0.5f);
    effect.setParameter(moduleParam(kStereoBase, m, kOn), 1.0f);
  }
}

class Poison : public LoadedPlugin {
 protected:
  void SetUp() override {
    LoadedPlugin::SetUp();
    fx->start(48000.0f, kBlock);
    reference = another();
    ASSERT_TRUE(reference);
    reference->start(48000.0f, kBlock);
    goodSettings(*fx);
    goodSettings(*reference);
  }

  // The largest difference from the reference and the effect's level, in the
  // last block; and the samples that were not numbers or infinite, in all.
  struct Run {
    float difference = 0.0f, level = 0.0f;
    int notFinite = 0;
  };

  // Runs `seconds` of noise through both.
  Run runBoth(int seconds) {
    float difference = 0.0f, level = 0.0f;
    int notFinite = 0;
    for (int b = 0; b < 10 * seconds; ++b) {
      auto in = noise(kBlock, 0.9f, seed++);  // loud, the same for both instances
      auto mine = process(in);
      float* io[2] = {in[0].data(), in[1].data()};
      reference->processReplacing(io, io, kBlock);
      difference = level = 0.0f;
      for (int c = 0; c < 2; ++c)
        for (int i = 0; i < kBlock; ++i) {
          notFinite += std::isfinite(mine[c][i]) ? 0 : 1;
          difference = std::max(difference, std::fabs(mine[c][i] - in[c][i]));
          level = std::max(level, std::fabs(mine[c][i]));
        }
    }
    return {difference, level, notFinite};
  }

  std::unique_ptr<host::HostedEffect> reference;
  unsigned seed = 17;
};

TEST_F(Poison, BadParameterValuesLeaveNoTraceOnceGoodOnesReturn) {
  // Each module's amount and flavour, then the frame's volumes.
  std::vector<std::pair<int, float>> targets = {{kVolIn, 0.5f}, {kVolOut, 0.5f}};
  for (int m = 0; m < 4; ++m)
    targets.insert(targets.begin(),
                   {{moduleParam(kStereoBase, m), 0.8f}, {moduleParam(kStereoBase, m, kFlavour), 0.5f}});
  for (const auto& [index, good] : targets)
    for (float value : {kNaN, kInf, -kInf, -50.0f, 1.0e30f, -1.0e30f}) {
      fx->setParameter(index, value);
      EXPECT_EQ(std::isnan(value), std::isnan(fx->getParameter(index)));  // stored as given
      // While it is in force: a number, held in range, still gives numbers;
      // a NaN changes nothing, the last number staying in force.
      const Run during = runBoth(1);
      ASSERT_EQ(during.notFinite, 0) << "index " << index << " value " << value;
      if (std::isnan(value)) {
        ASSERT_LT(during.difference, 1.0e-5f) << "index " << index;
      }
      fx->setParameter(index, good);
      const Run after = runBoth(1);
      ASSERT_LT(after.difference, 1.0e-5f) << "index " << index << " value " << value;
      ASSERT_GT(after.level, 0.5f) << "index " << index << " value " << value;
    }
}

}  // namespace
}  // namespace sorel::test
