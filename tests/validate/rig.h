// The torture host's pieces: one effect loaded through the library's entry
// point as a host loads it, seeded signals and settings, and the checks that
// compare two instances.
#pragma once

#include <atomic>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "host.h"

namespace sorel::validate {

using Channels = std::vector<std::vector<float>>;

// One instance with its own host; started at `rate` with `announced` frames.
struct Rig {
  Rig(float rate, int announced);
  Channels process(const Channels& in);  // separate input and output buffers
  void processInPlace(Channels& io);

  host::Host host;
  std::unique_ptr<host::HostedEffect> fx;
};

// Loud, busy stereo material: noise plus a low sine, peaking near `peak`.
Channels material(std::mt19937& random, int frames, float peak);

// A setting that runs every module of every set, split band on, on the
// Mid/Side page, as one state chunk.
std::vector<unsigned char> busySetting();

// Any value a host might send: in range, out of range, NaN and infinities.
float hostileValue(std::mt19937& random);

// Until `done`, throws hostile values at every parameter (keeping the effect
// on) and reads display texts, from a thread of its own, as a host's second
// thread would.
std::thread automate(host::HostedEffect& effect, unsigned seed, const std::atomic<bool>& done);

// Runs `seconds` of the same material through both instances and returns the
// largest difference over the last block (0 when they agree exactly).
float convergedDifference(Rig& a, Rig& b, float seconds, std::mt19937& random);

// Largest absolute sample.
float peakOf(const Channels& x);

}  // namespace sorel::validate
