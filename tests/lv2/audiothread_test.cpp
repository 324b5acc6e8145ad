// The LV2 instance's run() allocates nothing, locks nothing and makes no
// system call: one frame at a time as lv2apply runs it and in long blocks,
// with ports moving between runs (range switches, a compare recall, the
// split band and the page among them).
#include <gtest/gtest.h>

#include <random>

#include "audiothread_probe.h"
#include "lv2host.h"

namespace sorel::validate {
namespace {

using test::Lv2Instance;

TEST(Lv2AudioThread, RunAllocatesLocksAndCallsTheKernelNever) {
  Lv2Instance lv2(lv2::kVariants[0]);
  ASSERT_TRUE(lv2.ok());
  lv2.connectControls();
  lv2.controls[kCompValidA + 1] = 1.0f;
  std::mt19937 random(5);
  std::uniform_real_distribution<float> sample(-1.2f, 1.2f);
  // Everything run() touches is made before the probed thread starts.
  std::vector<float> in[2], out[2];
  for (int c = 0; c < 2; ++c) {
    in[c].resize(4096);
    out[c].resize(4096);
    for (float& v : in[c]) v = sample(random);
    lv2.connect(lv2::kFirstAudioPort + c, in[c].data());
    lv2.connect(lv2::firstOutputPort(lv2::kVariants[0]) + c, out[c].data());
  }
  lv2.run(0);
  const int moving[] = {kVolIn, kInRange, kOutRange, kCompareSelect, kAntiAlias, kPage, kStereoBase, kMidBase + 6};
  const ProbeCounts counts = runProbed([&] {
    for (int round = 0; round < 200; ++round) {
      const int index = moving[round % std::size(moving)];
      lv2.controls[index] = index == kCompareSelect                 ? static_cast<float>(round % 3) * kWholeStep
                            : index == kPage || index == kAntiAlias ? static_cast<float>(round % 2) * kWholeStep
                                                                    : static_cast<float>(round % 7) / 6.0f;
      enter();
      lv2.run(round % 2 ? 1u : 4096u);
      leave();
    }
  });
  EXPECT_EQ(counts.allocations, 0);
  EXPECT_EQ(counts.locks, 0);
  EXPECT_EQ(counts.systemCalls, 0);
}

}  // namespace
}  // namespace sorel::validate
