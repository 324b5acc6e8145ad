// The audio engine: the block frame (input gain and clamp, band split, the
// module arrangement of the page, recombination, output gain and clamp) around
// the three module sets, plus the lifecycle that sizes the split filters.
//
// Threads: the frame's settings are raw values in single atomic words; the
// audio thread derives the gains from them at block start, so no gain is ever
// kept for a range other than the one stored. The module sets publish their
// coefficients whole (see moduleset.h). A volume that is not a number never
// reaches a setting: the last number stays. setSampleRate, setBlockSize,
// setChannels and resume run
// while the host has processing suspended. process() allocates nothing, takes
// no lock and makes no system call.
#pragma once

#include <atomic>
#include <memory>

#include "moduleset.h"
#include "splitfir.h"

namespace sorel {

class CEngine {
 public:
  enum Set { kStereoSet, kMidSet, kSideSet, kNumSets };
  // Blocks are cut into pieces no longer than this when the host sends more
  // than it announced (or announces something absurd); pieces do not change
  // the result.
  static constexpr int kLongestPiece = 8192;

  CEngine();

  // [any thread]
  void setBypass(bool on) { bypass.store(on, std::memory_order_relaxed); }
  void setPage(int p) { page.store(p, std::memory_order_relaxed); }
  // Volume positions (0..1 spans the range; beyond extrapolates) and the
  // range switches; the gains follow at the next block start.
  void setInputVolume(float position) { storeVolume(volumes[kIn].position, position); }
  void setOutputVolume(float position) { storeVolume(volumes[kOut].position, position); }
  void setInputWide(bool wide) { volumes[kIn].wide.store(wide, std::memory_order_relaxed); }
  void setOutputWide(bool wide) { volumes[kOut].wide.store(wide, std::memory_order_relaxed); }
  void setSplitBand(bool on) { splitBand.store(on, std::memory_order_relaxed); }
  // Hands a parameter change to the three sets (each acts on its own range).
  void setParameter(int index, float value);

  // [suspended]
  void setChannels(int count);
  void setSampleRate(float rate);
  void setBlockSize(int size);
  void resume();

  // [audio] Processes channels[0 .. channel count) in place. Returns true when
  // the input clamp had to act (an overload or a NaN) anywhere in the block.
  bool process(float* const* channels, int n);

  // [any thread] The delay the settings of the last block put on the signal:
  // the split band's while it runs, else none.
  int getLatency() const;

  CModuleSet& moduleSet(Set s) { return sets[s]; }
  int getChannels() const { return channelCount.load(std::memory_order_relaxed); }
  double getSampleRate() const { return sampleRate; }

 private:
  struct Block {
    int channels;
    int page;
    float inputGain;
    float outputGain;
    bool split;
  };
  enum Side { kIn, kOut };
  // A volume's raw settings, and the gain last derived from them (audio thread).
  struct Volume {
    std::atomic<float> position{0.5f};
    std::atomic<bool> wide{false};
    float derivedFor = 0.5f;
    bool derivedWide = false;
    float gain = 1.0f;
    float currentGain();
  };
  static void storeVolume(std::atomic<float>& to, float position);
  bool processPiece(float* const* channels, int n, const Block& block);
  void runModules(float* const* channels, int n, const Block& block);

  std::atomic<bool> bypass{false};
  std::atomic<int> page{0};
  Volume volumes[2];
  std::atomic<bool> splitBand{false};
  std::atomic<int> channelCount{2};

  CModuleSet sets[kNumSets];
  std::unique_ptr<CSplitFir> splitters[2];
  int pieceLength = kLongestPiece;

  double sampleRate = 0.0;
  bool sampleRateKnown = false;
  int blockSize = -1;
  bool rebuildForRate = false;
  bool rebuildForSize = false;
};

}  // namespace sorel
