// The audio thread inside processReplacing allocates nothing, locks nothing
// and makes no system call, while another thread automates every parameter
// (and the effect's editor link hears the input-clip notice on the audio
// thread).
#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>

#include "audiothread_probe.h"
#include "rig.h"

namespace sorel::validate {
namespace {

// The probe itself must see what it is meant to see.
TEST(AudioThreadProbe, SeesAnAllocationALockAndASystemCall) {
  static pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;
  const ProbeCounts counts = runProbed([] {
    enter();
    // Called through pointers the compiler cannot see through, so the pair
    // is not optimised away.
    void* (*volatile allocate)(std::size_t) = &std::malloc;
    void (*volatile release)(void*) = &std::free;
    release(allocate(16));
    pthread_mutex_lock(&mutex);
    pthread_mutex_unlock(&mutex);
    syscall(SYS_getpid);
    leave();
  });
  EXPECT_EQ(counts.allocations, 2);
  EXPECT_EQ(counts.locks, 1);
  EXPECT_GE(counts.systemCalls, 1);  // a new thread's first allocation may map memory too
}

TEST(AudioThread, ProcessingAllocatesLocksAndCallsTheKernelNever) {
  std::mt19937 random(11);
  Rig rig(48000.0f, 512);
  ASSERT_TRUE(rig.fx);
  rig.fx->setChunk(busySetting());
  // Everything the audio thread will touch is made before it starts.
  std::vector<Channels> blocks;
  for (int i = 0; i < 400; ++i) blocks.push_back(material(random, 1 + static_cast<int>(random() % 3000), 1.6f));
  std::atomic<bool> done{false};
  std::thread automation = automate(*rig.fx, 12, done);
  AEffect* effect = rig.fx->effect();
  const ProbeCounts counts = runProbed([&] {
    for (auto& block : blocks) {
      float* io[2] = {block[0].data(), block[1].data()};
      enter();
      effect->processReplacing(effect, io, io, static_cast<VstInt32>(block[0].size()));
      leave();
    }
  });
  done = true;
  automation.join();
  EXPECT_EQ(counts.allocations, 0);
  EXPECT_EQ(counts.locks, 0);
  EXPECT_EQ(counts.systemCalls, 0);
}

}  // namespace
}  // namespace sorel::validate
