// The gain curve of a lookahead limiter, from the gain each sample needs
// (1 where nothing is too loud). Three steps:
//   hold     the least need over a window reaching `reach` frames before and
//            after the attack, so every frame a peak's interpolation reads
//            is turned down as far as the peak needs;
//   release  instant down, up exponentially (no pumping: a steady level
//            needs a steady gain, and gets it exactly);
//   attack   a moving average over `attack` frames, so the gain ramps down
//            linearly over the lookahead and is at the need when the peak
//            passes.
// The curve never exceeds the need of any frame within `reach` of the frame
// it is applied to. Where nothing needed reducing it is exactly 1.
#pragma once

#include <cstdint>
#include <vector>

namespace sorel::host {

class LimiterGain {
 public:
  // attack >= 1 frames; release: frames for the gain to recover 1 - 1/e of the way.
  LimiterGain(int attack, int reach, double release);

  // Takes the need of frame n; returns the gain for frame n - latency().
  float push(float need);
  int latency() const { return attackFrames + reachFrames - 1; }

 private:
  float holdPush(float need);
  int attackFrames;
  int reachFrames;
  double recover;  // per frame, of the distance to the held need
  // hold: a monotonic ring of (frame, need), least first
  std::vector<std::pair<std::int64_t, float>> ring;
  std::size_t head = 0, count = 0;
  std::int64_t frame = 0;
  double envelope = 1.0;
  // attack: the last attackFrames envelope values and their sum
  std::vector<double> recent;
  std::size_t recentAt = 0;
  double sum;
  std::int64_t belowOne = 0;  // envelope values under 1 in `recent`
};

}  // namespace sorel::host
