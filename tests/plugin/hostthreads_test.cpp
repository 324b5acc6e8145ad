// Two host threads change related settings at the same moment: whatever the
// interleaving, the next block must run with the gain that the stored values
// describe (the thread sanitizer build also checks that nothing is shared
// without an atomic). The effect keeps its real editor link throughout.
#include <atomic>
#include <random>
#include <thread>

#include "loaded_plugin.h"
#include "param_index.h"

namespace sorel::test {
namespace {

constexpr int kRounds = 1500;

using HostThreads = LoadedPlugin;

// Started on a page that runs no modules: the frame's gains alone.
void startWithoutModules(host::HostedEffect& effect) {
  effect.start(48000.0f, 16);
  effect.setParameter(kPage, whole(3));
}

// The gain the effect applies now, measured on one small sample.
float gainOf(host::HostedEffect& effect) { return processBlock(effect, {{0.01f}, {0.01f}})[0][0] / 0.01f; }

// One thread moves the input range and the output volume while the other moves
// the input volume and the output range; a third reads display texts as an
// editor or host would. Each round both writers start together.
TEST_F(HostThreads, RangeAndVolumeFromTwoThreadsLeaveAMatchingGain) {
  startWithoutModules(*fx);
  auto reference = another();
  ASSERT_TRUE(reference);
  startWithoutModules(*reference);
  std::atomic<int> go{-1};
  std::atomic<int> finished{0};
  std::atomic<bool> quit{false};
  auto writer = [&](unsigned seed, int range, int volume) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> position(0.0f, 1.0f);
    for (int round = 0; round < kRounds; ++round) {
      while (go.load() != round) std::this_thread::yield();
      fx->setParameter(range, static_cast<float>(random() % 2));
      fx->setParameter(volume, position(random));
      finished.fetch_add(1);
    }
  };
  std::thread first(writer, 1u, kInRange, kVolOut);
  std::thread second(writer, 2u, kOutRange, kVolIn);
  std::thread reader([&] {
    while (!quit.load()) (void)(fx->paramDisplay(kVolIn) + fx->paramDisplay(kVolOut));
  });

  int mismatches = 0;
  for (int round = 0; round < kRounds; ++round) {
    go.store(round);
    while (finished.load() != 2 * (round + 1)) std::this_thread::yield();
    // A fresh setting of the same stored values, in an order that lowers nothing.
    for (int index : {kInRange, kOutRange, kVolIn, kVolOut}) reference->setParameter(index, fx->getParameter(index));
    if (gainOf(*fx) != gainOf(*reference)) ++mismatches;
  }
  quit = true;
  first.join();
  second.join();
  reader.join();
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace sorel::test
