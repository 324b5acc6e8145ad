#include "paramnames.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "parameters.h"
#include "volume.h"

namespace sorel::host {
namespace {

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::size_t editDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = up;
    }
  }
  return row[b.size()];
}

// A number with an optional unit suffix (case-insensitive), all of it used.
bool numberWithUnit(const std::string& text, const std::string& unit, double& value) {
  std::string t = lower(text);
  if (!unit.empty()) {
    if (t.size() <= unit.size() || t.compare(t.size() - unit.size(), unit.size(), unit) != 0) return false;
    t.resize(t.size() - unit.size());
  }
  if (t.empty()) return false;
  char* end = nullptr;
  value = std::strtod(t.c_str(), &end);
  return end && *end == 0 && std::isfinite(value);
}

std::optional<float> fail(std::string* error, const std::string& message) {
  if (error) *error = message;
  return std::nullopt;
}

}  // namespace

std::optional<int> findParameter(const std::string& name, int count) {
  if (!name.empty() && name[0] == '#') {
    char* end = nullptr;
    const long n = std::strtol(name.c_str() + 1, &end, 10);
    if (name.size() > 1 && end && *end == 0 && n >= 0 && n < count) return static_cast<int>(n);
    return std::nullopt;
  }
  const std::string key = lower(name);
  for (const ParamRow& p : kParamTable)
    if (p.qualified == key && p.index < count) return p.index;
  return std::nullopt;
}

std::vector<std::string> nearestParameterNames(const std::string& name, std::size_t limit) {
  std::vector<std::pair<std::size_t, std::string>> scored;
  const std::string key = lower(name);
  for (const ParamRow& p : kParamTable) scored.emplace_back(editDistance(key, p.qualified), p.qualified);
  std::stable_sort(scored.begin(), scored.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> out;
  for (std::size_t i = 0; i < scored.size() && i < limit; ++i) out.push_back(scored[i].second);
  return out;
}

bool isInert(int index) {
  if (index >= kFilterFreq && index <= kCompValidA + 2) return true;
  if (index < kStereoBase || index >= kSideBase + kParamsPerSet) return false;
  return (index - kStereoBase) % kParamsPerModule >= 3;  // X1..X3 follow amount, flavour and the on switch
}

std::optional<std::string> choiceName(int index, float value) {
  for (const Choice& c : choicesOf(index))
    if (c.encoding == value) return std::string(c.name);
  return std::nullopt;
}

// Named values or their exact encodings only: anything between selects
// nothing useful (a page number that does not exist, say).
std::string valueProblem(int index, float value) {
  const std::span<const Choice> choices = choicesOf(index);
  if (choices.empty()) return value >= 0.0f && value <= 1.0f ? "" : "must lie between 0 and 1";
  std::string names, encodings;
  for (const Choice& c : choices) {
    if (value == c.encoding) return "";
    char encoding[32];
    std::snprintf(encoding, sizeof encoding, "%.9g", static_cast<double>(c.encoding));
    names += (names.empty() ? "" : " or ") + std::string(c.name);
    encodings += (encodings.empty() ? "" : " and ") + std::string(encoding);
  }
  return "takes " + names + " (or their encodings " + encodings + ")";
}

std::optional<float> parseParameterValue(int index, const std::string& text, const std::vector<float>& current,
                                         std::string* error) {
  const std::string t = lower(text);
  double v = 0.0;
  const std::span<const Choice> choices = choicesOf(index);
  if (!choices.empty()) {
    for (const Choice& c : choices)
      if (t == c.name) return c.encoding;
    const auto number = static_cast<float>(numberWithUnit(t, "", v) ? v : -1.0);
    const std::string problem = valueProblem(index, number);
    if (problem.empty() && static_cast<double>(number) == v) return number;
    return fail(error, problem.empty() ? valueProblem(index, -1.0f) : problem);
  }
  if (t == "on" || t == "off") return fail(error, "on/off applies to switches only");
  if (numberWithUnit(t, "db", v)) {
    if (index != kVolIn && index != kVolOut) return fail(error, "dB applies to vol.in and vol.out only");
    const int wideIndex = index == kVolIn ? kInRange : kOutRange;
    const bool wide = static_cast<std::size_t>(wideIndex) < current.size() && current[wideIndex] > 0.5f;
    const double position = volumePosition(v, wide), limit = volumeLimitDb(wide);
    if (!(position < -1e-6 || position > 1.0 + 1e-6)) return static_cast<float>(std::clamp(position, 0.0, 1.0));
    char range[128];
    std::snprintf(range, sizeof range, "must be between %.2fdB and %.2fdB in the %s range", -limit, limit,
                  wide ? "±18 dB" : "±3 dB");
    return fail(error, range);
  }
  if (numberWithUnit(t, "hz", v)) {
    if (index != kFilterFreq) return fail(error, "Hz applies to spare.freq only");
    if (v < 25.0 || v > 250.0) return fail(error, "must be between 25Hz and 250Hz");
    return static_cast<float>(frequencyPosition(v));
  }
  if (numberWithUnit(t, "%", v)) {
    if (v < 0.0 || v > 100.0) return fail(error, "must be between 0% and 100%");
    return static_cast<float>(v / 100.0);
  }
  if (numberWithUnit(t, "", v)) {
    if (v < 0.0 || v > 1.0) return fail(error, "a plain number must be a normalised value between 0 and 1");
    return static_cast<float>(v);
  }
  return fail(error, "cannot read '" + text + "' as a value");
}

}  // namespace sorel::host
