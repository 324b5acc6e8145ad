#include "report.h"

#include <cmath>
#include <cstdio>

namespace sorel::host {
namespace {

// -inf is true digital silence for a peak; for a loudness it only means that
// nothing passed the gate, which a note explains.
std::string number(double v, const char* unit) {
  if (std::isnan(v)) return "n/a";
  if (!std::isfinite(v)) return std::string(unit) == "LUFS" ? "too quiet" : std::string("-inf ") + unit;
  char text[32];
  std::snprintf(text, sizeof text, "%.2f %s", v, unit);
  return text;
}

std::string jsonNumber(double v) {
  if (!std::isfinite(v)) return "null";
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", v);
  return text;
}

// The length of the well-formed UTF-8 sequence starting at s[i] (no
// overlong forms, no surrogates, nothing above U+10FFFF); 0 when there is none.
std::size_t utf8Length(const std::string& s, std::size_t i) {
  const auto byte = [&s](std::size_t k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0u; };
  const unsigned lead = byte(i);
  const std::size_t n = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                      : lead >= 0xF0 && lead <= 0xF4   ? 4
                                                                       : 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  const unsigned second = byte(i + 1);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
      (lead == 0xF4 && second > 0x8F))
    return 0;
  return n;
}

// A JSON string. A byte that is not part of well-formed UTF-8 (a file name
// in another encoding) becomes the character of the same number, \u0080 to
// \u00ff: Latin-1's reading of it, and the JSON stays valid.
std::string jsonString(const std::string& s) {
  std::string out = "\"";
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t n = utf8Length(s, i);
    if (n == 0 || c < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      out += escape;
      ++i;
      continue;
    }
    if (c == '"' || c == '\\') out += '\\';
    out.append(s, i, n);
    i += n;
  }
  return out + "\"";
}

std::string jsonStrings(const std::vector<std::string>& list) {
  std::string out = "[";
  for (std::size_t i = 0; i < list.size(); ++i) out += (i ? ", " : "") + jsonString(list[i]);
  return out + "]";
}

std::string levelsJson(const Levels& l) {
  return "{\"sample_peak_dbfs\": " + jsonNumber(l.samplePeakDb) + ", \"true_peak_dbtp\": " + jsonNumber(l.truePeakDb) +
         ", \"integrated_lufs\": " + jsonNumber(l.integratedLufs) +
         ", \"loudness_range_lu\": " + jsonNumber(l.rangeLu) + "}";
}

}  // namespace

std::string reportText(const FileReport& r) {
  char head[512];
  std::snprintf(head, sizeof head, "%s -> %s\n  %d Hz, %s, %.1f s, %s\n", r.input.c_str(), r.output.c_str(),
                r.sampleRate, r.channels == 1 ? "mono" : "stereo",
                r.sampleRate ? static_cast<double>(r.frames) / r.sampleRate : 0.0, r.format.c_str());
  std::string out = head;
  char row[256];
  std::snprintf(row, sizeof row, "  %-8s %14s %14s %14s %10s\n", "", "sample peak", "true peak", "integrated", "range");
  if (r.measured) out += row;
  if (r.measured)
    for (const auto& [name, l] : {std::pair{"before", r.before}, std::pair{"after", r.after}}) {
      std::snprintf(row, sizeof row, "  %-8s %14s %14s %14s %10s\n", name, number(l.samplePeakDb, "dBFS").c_str(),
                    number(l.truePeakDb, "dBTP").c_str(), number(l.integratedLufs, "LUFS").c_str(),
                    number(l.rangeLu, "LU").c_str());
      out += row;
    }
  out += deliveryText(r.delivery, r.after, r.frames, r.measured);
  for (const std::string& note : r.notes) out += "  note: " + note + "\n";
  if (r.nonFinite > 0) {
    std::snprintf(row, sizeof row, "  non-finite input: %lld samples (NaN or infinite), played as silence\n",
                  static_cast<long long>(r.nonFinite));
    out += row;
  }
  if (r.clipBlocks >= 0) {
    std::snprintf(row, sizeof row, "  input clip: %lld of %lld blocks\n", static_cast<long long>(r.clipBlocks),
                  static_cast<long long>(r.blocks));
    out += row;
  }
  return out;
}

std::string reportJson(const FileReport& r) {
  return "{\"input\": " + jsonString(r.input) + ", \"output\": " + jsonString(r.output) +
         ", \"format\": " + jsonString(r.format) + ", \"sample_rate\": " + std::to_string(r.sampleRate) +
         ", \"channels\": " + std::to_string(r.channels) + ", \"frames\": " + std::to_string(r.frames) +
         ", \"before\": " + (r.measured ? levelsJson(r.before) : "null") +
         ", \"after\": " + (r.measured ? levelsJson(r.after) : "null") +
         ", \"input_clip_blocks\": " + (r.clipBlocks >= 0 ? std::to_string(r.clipBlocks) : std::string("null")) +
         ", \"blocks\": " + std::to_string(r.blocks) + ", \"nonfinite_input_samples\": " + std::to_string(r.nonFinite) +
         deliveryJson(r.delivery, r.after, r.frames, r.measured) + ", \"notes\": " + jsonStrings(r.notes) +
         ", \"exit_status\": " + std::to_string(r.exitStatus) + "}";
}

std::string failureJson(const std::string& input, const std::string& output, const std::string& error,
                        ExitStatus status) {
  return "{\"input\": " + jsonString(input) + ", \"output\": " + jsonString(output) +
         ", \"error\": " + jsonString(error) + ", \"exit_status\": " + std::to_string(status) + "}";
}

}  // namespace sorel::host
