// The torture host: the real library through its entry point, with fixed
// seeds and bounded time. Crashes, leaks (leak checker build) and races
// (thread sanitizer build) fail the run; the assertions look for instances
// that stay broken after valid values return and for output that depends on
// anything but input and state.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>
#include <thread>

#include "parameters.h"
#include "rig.h"

namespace sorel::validate {
namespace {

constexpr float kRates[] = {8000.0f, 22050.0f, 44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f, 384000.0f};

// Every rate, each instance announcing its own block size; every tenth runs
// the busy setting over a block far longer than announced, with a NaN in it.
// (That such blocks and a rate change leave the sound exact is the engine's
// bit-for-bit comparison with its model.)
TEST(Torture, ThousandCreateDestroyCycles) {
  std::mt19937 random(1);
  const auto busy = busySetting();
  for (int i = 0; i < 1000; ++i) {
    Rig rig(kRates[i % 9], 1 + static_cast<int>(random() % 4096));
    ASSERT_TRUE(rig.fx);
    if (i % 10 == 0) {
      rig.fx->setChunk(busy);
      Channels x = material(random, 8192, 1.5f);
      x[i % 2][random() % x[0].size()] = std::nanf("");
      rig.processInPlace(x);
      EXPECT_GT(peakOf(x), 0.1f) << kRates[i % 9];
    }
  }
}

// Each module's amount and flavour, and the frame's volumes, get values that
// are not numbers, infinities and far-out values, one at a time. They are
// stored as given; while one is in force the sound stays finite, and a NaN
// leaves the last number in force. Once the good value returns the instance
// must sound like one that never saw it: no module may stay silent or pinned.
// (Chunks and compare stores hand their values on through the same path.)
TEST(Torture, EachBadParameterValueLeavesNoTraceOnceTheGoodOneReturns) {
  std::mt19937 random(8);
  Rig rig(48000.0f, 4096);
  Rig reference(48000.0f, 4096);
  for (Rig* r : {&rig, &reference}) {
    r->fx->setChunk(busySetting());
    r->fx->setParameter(kPage, 0.0f);  // the Stereo set
  }
  std::vector<int> targets = {kVolIn, kVolOut};
  for (Module m : {kSalt, kPepper, kSugar, kChili})
    for (ModuleRole role : {kAmount, kFlavour}) targets.push_back(moduleParam(kStereoBase, m, role));
  // The engine takes the volumes at block start, so a NaN keeps what the last
  // block ran with: run once so that this is the setting's own.
  ASSERT_EQ(convergedDifference(rig, reference, 0.1f, random), 0.0f);
  for (int index : targets) {
    const float good = rig.fx->getParameter(index);
    for (float value : {std::nanf(""), INFINITY, -INFINITY, -50.0f, 1.0e30f, -1.0e30f}) {
      SCOPED_TRACE("index " + std::to_string(index) + " value " + std::to_string(value));
      rig.fx->setParameter(index, value);
      ASSERT_EQ(std::isnan(value), std::isnan(rig.fx->getParameter(index)));
      const float during = convergedDifference(rig, reference, 1.0f, random);
      ASSERT_TRUE(std::isfinite(during));
      if (std::isnan(value)) {
        ASSERT_LT(during, 1.0e-5f);
      }
      rig.fx->setParameter(index, good);
      ASSERT_LT(convergedDifference(rig, reference, 1.0f, random), 1.0e-5f);
      ASSERT_GT(peakOf(rig.process(material(random, 4096, 0.9f))), 0.5f);
    }
  }
}

// Two instances get the same calls; one of them also saves and restores its
// own state at random points. Their outputs must agree bit for bit.
TEST(Torture, SavedAndRestoredStateContinuesIdentically) {
  std::mt19937 random(3);
  Rig a(44100.0f, 1024);
  Rig b(44100.0f, 1024);
  a.fx->setChunk(busySetting());
  b.fx->setChunk(a.fx->getChunk());
  int restores = 0;
  for (int call = 0; call < 400; ++call) {
    const Channels in = material(random, 1 + static_cast<int>(random() % 2048), 1.2f);
    ASSERT_EQ(a.process(in), b.process(in)) << call;
    if (random() % 4 == 0) {
      const auto index = static_cast<VstInt32>(random() % kNumParams);
      const float value = hostileValue(random);
      a.fx->setParameter(index, value);
      b.fx->setParameter(index, value);
      a.fx->setParameter(kGlobalOn, 1.0f);
      b.fx->setParameter(kGlobalOn, 1.0f);
    }
    if (random() % 5 == 0) {
      const auto saved = a.fx->getChunk(call % 2 == 0);
      ASSERT_EQ(a.fx->setChunk(saved, call % 2 == 0), static_cast<VstIntPtr>(saved.size()));
      ++restores;
    }
  }
  EXPECT_GT(restores, 50);
}

// Automation from a second thread while this one processes; then a valid
// state, and the instance must sound like a fresh one.
TEST(Torture, AutomationFromASecondThreadWhileProcessing) {
  std::mt19937 random(4);
  Rig rig(48000.0f, 256);
  std::atomic<bool> done{false};
  std::thread automation = automate(*rig.fx, 5, done);
  for (int call = 0; call < 2000; ++call) {
    Channels x = material(random, 1 + static_cast<int>(random() % 512), 1.2f);
    rig.processInPlace(x);
  }
  done = true;
  automation.join();
  const auto busy = busySetting();
  rig.fx->setChunk(busy);
  Rig fresh(48000.0f, 256);
  fresh.fx->setChunk(busy);
  EXPECT_LT(convergedDifference(rig, fresh, 3.0f, random), 1.0e-5f);
}

// Several instances on several threads at once, each fed the same material:
// every one must produce what one instance alone produces.
TEST(Torture, SeveralInstancesOnSeveralThreads) {
  const auto busy = busySetting();
  auto run = [&busy](Channels& out) {
    std::mt19937 random(6);
    Rig rig(96000.0f, 1024);
    rig.fx->setChunk(busy);
    for (int call = 0; call < 300; ++call) {
      Channels x = material(random, 1 + static_cast<int>(random() % 1024), 1.1f);
      rig.processInPlace(x);
      if (call >= 290) out.insert(out.end(), x.begin(), x.end());
    }
  };
  Channels alone;
  run(alone);
  std::vector<Channels> outputs(4);
  std::vector<std::thread> threads;
  for (auto& out : outputs) threads.emplace_back(run, std::ref(out));
  for (auto& t : threads) t.join();
  for (const auto& out : outputs) EXPECT_EQ(out, alone);
}

}  // namespace
}  // namespace sorel::validate
