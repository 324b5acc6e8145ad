#include "delivery.h"

#include <cstdio>

#include "audiofile.h"
#include "levelmeter.h"

namespace sorel::host {
namespace {

std::string decibels(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", v);
  return text;
}

}  // namespace

LimiterSettings limiterFor(const DeliveryOptions& options) {
  LimiterSettings s;
  s.ceilingDb = options.ceilingDb;
  return s;
}

int integerBits(int format) {
  switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
      return 8;
    case SF_FORMAT_PCM_16:
      return 16;
    case SF_FORMAT_PCM_24:
      return 24;
    case SF_FORMAT_PCM_32:
      return 32;
    default:
      return 0;
  }
}

bool isLossy(int format) {
  const int subtype = format & SF_FORMAT_SUBMASK;
  return subtype == SF_FORMAT_MPEG_LAYER_III || subtype == SF_FORMAT_VORBIS || subtype == SF_FORMAT_OPUS;
}

bool overCeiling(const Levels& after, double ceilingDb) {
  return after.truePeakDb > (std::isfinite(ceilingDb) ? ceilingDb : 0.0);
}

std::vector<std::string> deliveryWarnings(const std::string& output, const Levels& after,
                                          const DeliveryReport& d, double maxLimitingDb) {
  std::vector<std::string> lines;
  if (d.overs)
    lines.push_back(output + ": true peak " + decibels(after.truePeakDb) + " dBTP is over " +
                    (std::isfinite(d.ceilingDb) ? "the ceiling of " + decibels(d.ceilingDb) + " dBTP"
                                                : std::string("full scale (0 dBTP)")) +
                    (d.decoded ? " in the decoded file" : "") + "; " + std::to_string(after.fullScaleSamples) +
                    " samples at full scale");
  if (std::isfinite(d.targetLufs) && !d.targetReachable)
    lines.push_back(output + ": too short or too quiet for a loudness reading; the target " +
                    decibels(d.targetLufs) + " LUFS was not applied (no gain)");
  if (d.missedLu > 0.0)
    lines.push_back(output + ": the target " + decibels(d.targetLufs) + " LUFS was missed by " +
                    decibels(d.missedLu) + " LU: reaching it would take more than the " + decibels(maxLimitingDb) +
                    " dB of limiting allowed (--max-limiting)");
  return lines;
}

namespace {

bool asked(const DeliveryReport& d) { return std::isfinite(d.targetLufs) || std::isfinite(d.ceilingDb); }

std::string json(double v) {
  if (!std::isfinite(v)) return "null";
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", v);
  return text;
}

}  // namespace

std::string deliveryText(const DeliveryReport& d, const Levels& after, std::int64_t frames, bool measured) {
  std::string out;
  char line[256];
  if (asked(d)) {
    const double share = frames ? 100.0 * static_cast<double>(d.limitedFrames) / static_cast<double>(frames) : 0.0;
    if (d.limitedFrames > 0)
      std::snprintf(line, sizeof line, "  delivery: gain %+.2f dB, limiter down to -%.2f dB on %.1f%% of frames",
                    d.gainDb, std::fabs(d.limitingDb), share);
    else
      std::snprintf(line, sizeof line, "  delivery: gain %+.2f dB, no limiting", d.gainDb);
    out += line;
    if (std::isfinite(d.targetLufs)) {
      std::snprintf(line, sizeof line, "; target %.1f LUFS %s", d.targetLufs,
                    !d.targetReachable ? "not applied (no loudness reading)"
                    : d.missedLu > 0.0 ? ("missed by " + decibels(d.missedLu) + " LU").c_str()
                                       : "reached");
      out += line;
    }
    if (std::isfinite(d.ceilingDb)) {
      std::snprintf(line, sizeof line, "; ceiling %.1f dBTP", d.ceilingDb);
      out += line;
    }
    out += "\n";
  }
  if (measured) {
    std::snprintf(line, sizeof line, "  output: %lld samples at full scale; true peak %s%s\n",
                  static_cast<long long>(after.fullScaleSamples), d.overs ? "OVER " : "within ",
                  std::isfinite(d.ceilingDb) ? "the ceiling" : "full scale");
    out += line;
    if (d.decoded) out += "  (after: measured on the decoded file)\n";
  }
  return out;
}

std::string deliveryJson(const DeliveryReport& d, const Levels& after, std::int64_t frames, bool measured) {
  std::string out = ", \"full_scale_samples\": " + (measured ? std::to_string(after.fullScaleSamples) : "null") +
                    ", \"true_peak_over\": " + (measured ? (d.overs ? "true" : "false") : "null") +
                    ", \"after_decoded\": " + (d.decoded ? "true" : "false") + ", \"delivery\": ";
  if (!asked(d)) return out + "null";
  return out + "{\"target_lufs\": " + json(d.targetLufs) + ", \"ceiling_dbtp\": " + json(d.ceilingDb) +
         ", \"gain_db\": " + json(d.gainDb) + ", \"limiting_db\": " + json(d.limitingDb) +
         ", \"limited_frames\": " + std::to_string(d.limitedFrames) + ", \"frames\": " + std::to_string(frames) +
         ", \"target_reachable\": " + (d.targetReachable ? "true" : "false") +
         ", \"target_missed_lu\": " + json(d.missedLu) + ", \"gain_trials\": " + std::to_string(d.trials) + "}";
}

bool measureWritten(const std::string& path, Levels& levels, std::string* error) {
  AudioReader reader;
  if (!reader.open(path, error)) return false;
  const AudioFormat& f = reader.format();
  auto meter = LevelMeter::create(f.channels, f.sampleRate, error);
  if (!meter) return false;
  std::vector<float> block(static_cast<std::size_t>(8192 * f.channels));
  for (std::int64_t got; (got = reader.read(block.data(), 8192)) > 0;) meter->add(block.data(), got);
  levels = meter->levels();
  return true;
}

}  // namespace sorel::host
