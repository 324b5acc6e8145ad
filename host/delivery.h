// What the delivery stages were asked for and what they did, per file: the
// loudness target, the true-peak ceiling, the output rate, and the truth
// about the written file (its overs and full-scale samples).
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "loudness.h"
#include "truepeaklimiter.h"

namespace sorel::host {

struct DeliveryOptions {
  double targetLufs = NAN;  // NaN: no loudness target
  double ceilingDb = NAN;   // NaN: no limiter
  double maxLimitingDb = 6.0;
  int sampleRate = 0;       // 0: the input's
  std::string plot;         // a PNG to draw, or empty
  bool plotPerInput = false;  // several inputs: one PNG each, named after the input
  bool any() const { return std::isfinite(targetLufs) || std::isfinite(ceilingDb) || sampleRate > 0; }
};

struct DeliveryReport {
  double targetLufs = NAN;
  double ceilingDb = NAN;
  bool targetReachable = true;  // false: no loudness reading to move
  double gainDb = 0.0;          // before the limiter
  double limitingDb = 0.0;      // the limiter's largest gain reduction
  std::int64_t limitedFrames = 0;
  double missedLu = 0.0;        // > 0: short of the target by this much
  int trials = 0;               // passes over the stored master to find the gain
  bool decoded = false;         // "after" was measured by decoding the written (lossy) file
  bool overs = false;           // the output's true peak is over the ceiling, or over 0 dBTP without one
};

// The limiter's settings for these options.
LimiterSettings limiterFor(const DeliveryOptions& options);
// Bits of an integer output format (8, 16, 24, 32), else 0.
int integerBits(int format);
// MP3, Vorbis, Opus.
bool isLossy(int format);

// Over the ceiling (or full scale without one)?
bool overCeiling(const Levels& after, double ceilingDb);

// The warning lines the delivery gives for a file (empty when all is well).
std::vector<std::string> deliveryWarnings(const std::string& output, const Levels& after,
                                          const DeliveryReport& delivery, double maxLimitingDb);

// The report's lines about delivery ("" when nothing was asked and nothing
// went over), and its JSON fields (a leading comma, then the fields).
std::string deliveryText(const DeliveryReport& d, const Levels& after, std::int64_t frames, bool measured);
std::string deliveryJson(const DeliveryReport& d, const Levels& after, std::int64_t frames, bool measured);

// A written file's levels, decoded back (lossy output is measured as it
// will be heard). False with *error when it cannot be read.
bool measureWritten(const std::string& path, Levels& levels, std::string* error);

}  // namespace sorel::host
