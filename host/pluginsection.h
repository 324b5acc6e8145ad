// The plug-in as the render loop sees it: interleaved frames in, the same
// stretch of time out. Around the plug-in itself: optional oversampling
// (libsoxr up, the plug-in at 2x or 4x the file's rate, libsoxr down) and the
// removal of its delay, counted at its own rate, with the frames it held
// back flushed out by silence at the end.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "delaytrim.h"
#include "host.h"
#include "resampler.h"
#include "session.h"

namespace sorel::host {

// Counts what the Sorel plug-in counts as an input clip: a block in which the
// input gain and full-scale clamp had to act (an overload or a NaN).
class ClipCounter {
 public:
  explicit ClipCounter(const std::vector<float>& values);
  bool blockClips(float* const* channels, int count, int n) const;

 private:
  bool active;
  float gain;
};

struct SectionSetup {
  int channels = 0;
  int sampleRate = 0;  // the file's
  int blockSize = 512;
  int oversample = 1;       // 1, 2 or 4
  bool removeDelay = true;  // false: the raw output a DAW gets
};

class PluginSection {
 public:
  // A fresh instance of the session's plug-in; null with *error.
  static std::unique_ptr<PluginSection> create(const Session& session, const SectionSetup& setup, std::string* error);
  ~PluginSection();

  // Replaces `x` by the plug-in's output for it.
  void process(std::vector<float>& x);
  // At the end of the file: `tail` becomes what is still held back.
  void finish(std::vector<float>& tail);

  std::int64_t blocks() const { return blockCount; }
  std::int64_t clipBlocks() const { return countClips ? clipCount : -1; }  // -1: not a Sorel plug-in
  int delay() const { return delayFrames; }                                 // at the plug-in's rate

 private:
  PluginSection(const Session& session, const SectionSetup& setup);
  void run(std::vector<float>& x, bool counted);

  Host host;
  std::unique_ptr<HostedEffect> fx;
  std::unique_ptr<Resampler> up, down;
  int channels;
  int block;
  int delayFrames = 0;
  std::unique_ptr<DelayTrim> trim;
  bool countClips;
  ClipCounter clips;
  std::int64_t blockCount = 0, clipCount = 0;
  std::vector<float> planar[2];
  std::vector<float> fast;  // the signal at the plug-in's rate, when oversampling
};

}  // namespace sorel::host
