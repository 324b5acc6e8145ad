// Parameters arrive on one thread while another processes: every block must
// run with a whole coefficient set, and the thread sanitizer build must stay
// silent.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <random>
#include <thread>

#include "coefficient_model.h"
#include "direct_plug.h"
#include "moduleset.h"

namespace sorel::test {
namespace {

constexpr int kBlocks = 4000;

TEST(Handover, EveryPublishedCoefficientSetIsWhole) {
  CModuleSet set;
  set.setup(2, 12);
  std::atomic<bool> done{false};
  std::atomic<int> writes{0};
  std::thread writer([&] {
    std::mt19937 random(99);
    std::uniform_real_distribution<float> value(0.0f, 1.0f);
    while (!done.load(std::memory_order_relaxed)) {
      set.setParameter(12 + static_cast<int>(random() % 21), value(random));
      writes.fetch_add(1, std::memory_order_relaxed);
    }
  });
  int mismatches = 0;
  for (int block = 0; block < kBlocks || writes.load(std::memory_order_relaxed) < kBlocks; ++block) {
    set.update();
    const auto& s = set.settings();
    for (int m = 0; m < CModuleSet::kNumModules; ++m)
      if (s.gains[m] != modelGain(s.amounts[m])) ++mismatches;
    if (s.salt != modelBlend(kSaltTables, s.flavours[CModuleSet::kSalt], s.gains[CModuleSet::kSalt])) ++mismatches;
    if (s.pepper != modelBlend(kPepperTables, s.flavours[CModuleSet::kPepper], s.gains[CModuleSet::kPepper]))
      ++mismatches;
    if (s.sugar != modelBlend(kSugarTables, s.flavours[CModuleSet::kSugar], s.gains[CModuleSet::kSugar])) ++mismatches;
  }
  done = true;
  writer.join();
  EXPECT_EQ(mismatches, 0);
}

class CountingEditor : public IEditorLink {
 public:
  void setParameter(VstInt32 index, float) override {
    if (index == kCmdInputClip) clips.fetch_add(1, std::memory_order_relaxed);
  }
  std::atomic<int> clips{0};
};

// The output clamp keeps every sample in range whatever happens, so what is
// checked is the state automation leaves behind: given a fresh instance's
// settings, the automated instance must soon sound exactly like it.
TEST(Handover, AutomationWhileProcessingLeavesNoStaleState) {
  CountingEditor editor;
  auto plug = makePlug(&editor);
  plug->setSampleRate(48000.0f);
  plug->setBlockSize(128);
  plug->resume();

  std::atomic<bool> done{false};
  std::atomic<int> writes{0};
  std::thread automation([&] {
    std::mt19937 random(5);
    std::uniform_real_distribution<float> value(0.0f, 1.0f);
    while (!done.load(std::memory_order_relaxed)) {
      const int index = static_cast<int>(random() % 93);
      plug->setParameterAutomated(index, index == 0 ? 1.0f : value(random));
      writes.fetch_add(1, std::memory_order_relaxed);
    }
  });

  std::mt19937 random(6);
  std::uniform_real_distribution<float> sample(-1.5f, 1.5f);
  std::vector<float> left(128);
  std::vector<float> right(128);
  for (int block = 0; block < kBlocks || writes.load(std::memory_order_relaxed) < kBlocks; ++block) {
    for (std::size_t i = 0; i < left.size(); ++i) left[i] = sample(random), right[i] = sample(random);
    runBlock(*plug, left, right);
  }
  done = true;
  automation.join();
  EXPECT_GT(editor.clips.load(), 0);

  auto fresh = makePlug();
  fresh->setSampleRate(48000.0f);
  fresh->setBlockSize(128);
  fresh->resume();
  for (int m = 0; m < 4; ++m)  // every module of every set running
    for (int base : {kStereoBase, kMidBase, kSideBase}) {
      fresh->setParameter(base + 6 * m, 0.7f);
      fresh->setParameter(base + 6 * m + 2, 1.0f);
    }
  fresh->setParameter(kPage, 1.0f / 128.0f);
  void* chunk = nullptr;
  const VstInt32 size = fresh->getChunk(&chunk, false);
  ASSERT_EQ(plug->setChunk(chunk, size, false), size);
  float difference = 0.0f;
  for (int block = 0; block < 1500; ++block) {  // four seconds: the Salt filters forget
    for (std::size_t i = 0; i < left.size(); ++i) left[i] = sample(random), right[i] = sample(random);
    std::vector<float> freshLeft = left;
    std::vector<float> freshRight = right;
    runBlock(*plug, left, right);
    runBlock(*fresh, freshLeft, freshRight);
    difference = 0.0f;
    for (std::size_t i = 0; i < left.size(); ++i)
      difference = std::max({difference, std::fabs(left[i] - freshLeft[i]), std::fabs(right[i] - freshRight[i])});
  }
  EXPECT_LT(difference, 1.0e-6f);
}

}  // namespace
}  // namespace sorel::test
