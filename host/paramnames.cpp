#include "paramnames.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <span>

namespace sorel::host {
namespace {

constexpr int kVolIn = 2, kVolOut = 3, kFrequency = 4, kPage = 1, kInWide = 84, kOutWide = 85, kAntiAlias = 86;

std::vector<ParameterName> buildNames() {
  std::vector<ParameterName> names = {{0, "global.on"},      {1, "page"},      {2, "vol.in"},     {3, "vol.out"},
                                      {4, "spare.freq"},     {5, "spare.5"},   {6, "spare.6"},    {7, "spare.7"},
                                      {8, "compare.select"}, {9, "compare.a"}, {10, "compare.b"}, {11, "compare.c"}};
  const char* sets[] = {"stereo", "mid", "side"};
  const char* modules[] = {"salt", "pepper", "sugar", "chili"};
  const char* fields[] = {"", ".flavour", ".on", ".x1", ".x2", ".x3"};
  int index = 12;
  for (const char* set : sets)
    for (const char* module : modules)
      for (const char* field : fields) names.push_back({index++, std::string(set) + "." + module + field});
  names.push_back({84, "vol.in.wide"});
  names.push_back({85, "vol.out.wide"});
  names.push_back({86, "aa"});
  return names;
}

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

bool isSwitch(int index) {
  if (index == 0 || index == kInWide || index == kOutWide || (index >= 9 && index <= 11)) return true;
  return index >= 12 && index < 84 && (index - 12) % 6 == 2;
}

// One named value of a parameter that takes only a few, and the exact
// normalised value that selects it.
struct Choice {
  const char* name;
  float encoding;
};

const Choice kSwitchChoices[] = {{"off", 0.0f}, {"on", 1.0f}};
const Choice kPageChoices[] = {{"stereo", 0.0f}, {"ms", 1.0f / 128.0f}};
const Choice kAntiAliasChoices[] = {{"off", 0.0f}, {"splitfir", 1.0f / 128.0f}};

// The normalised position whose volume gain is `db` decibels in the range.
std::optional<float> positionForDecibels(double db, bool wide, std::string* error) {
  const double base = wide ? 64.0 : 2.0;
  const double scale = wide ? 0.125 : 0.70710677;
  const double position = std::log(std::pow(10.0, db / 20.0) / scale) / std::log(base);
  const double limit = 20.0 * std::log10(base * scale);
  if (position < -1e-6 || position > 1.0 + 1e-6) {
    char range[96];
    std::snprintf(range, sizeof range, "between %.2fdB and %.2fdB in the %s range", -limit, limit,
                  wide ? "±18 dB" : "±3 dB");
    return fail(error, std::string("must be ") + range);
  }
  return static_cast<float>(std::clamp(position, 0.0, 1.0));
}

// The named values of parameter `index`; empty for continuous parameters.
std::span<const Choice> choicesFor(int index) {
  if (index == kPage) return kPageChoices;
  if (index == kAntiAlias) return kAntiAliasChoices;
  if (isSwitch(index)) return kSwitchChoices;
  return {};
}

}  // namespace

const std::vector<ParameterName>& sorelParameterNames() {
  static const std::vector<ParameterName> names = buildNames();
  return names;
}

std::optional<int> findParameter(const std::string& name, int count) {
  if (!name.empty() && name[0] == '#') {
    char* end = nullptr;
    const long n = std::strtol(name.c_str() + 1, &end, 10);
    if (name.size() > 1 && end && *end == 0 && n >= 0 && n < count) return static_cast<int>(n);
    return std::nullopt;
  }
  const std::string key = lower(name);
  for (const ParameterName& p : sorelParameterNames())
    if (p.name == key && p.index < count) return p.index;
  return std::nullopt;
}

std::vector<std::string> nearestParameterNames(const std::string& name, std::size_t limit) {
  std::vector<std::pair<std::size_t, std::string>> scored;
  const std::string key = lower(name);
  for (const ParameterName& p : sorelParameterNames()) scored.emplace_back(editDistance(key, p.name), p.name);
  std::stable_sort(scored.begin(), scored.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> out;
  for (std::size_t i = 0; i < scored.size() && i < limit; ++i) out.push_back(scored[i].second);
  return out;
}

std::optional<std::string> choiceName(int index, float value) {
  for (const Choice& c : choicesFor(index))
    if (c.encoding == value) return std::string(c.name);
  return std::nullopt;
}

std::optional<float> parseParameterValue(int index, const std::string& text, const std::vector<float>& current,
                                         std::string* error) {
  const std::string t = lower(text);
  double v = 0.0;
  const std::span<const Choice> choices = choicesFor(index);
  if (!choices.empty()) {
    // Named values or their exact encodings only: anything between selects
    // nothing useful (a page number that does not exist, say).
    const bool number = numberWithUnit(t, "", v);
    std::string names, encodings;
    for (const Choice& c : choices) {
      if (t == c.name || (number && v == static_cast<double>(c.encoding))) return c.encoding;
      char encoding[32];
      std::snprintf(encoding, sizeof encoding, "%.9g", static_cast<double>(c.encoding));
      names += (names.empty() ? "" : " or ") + std::string(c.name);
      encodings += (encodings.empty() ? "" : " and ") + std::string(encoding);
    }
    return fail(error, "takes " + names + " (or their encodings " + encodings + ")");
  }
  if (t == "on" || t == "off") return fail(error, "on/off applies to switches only");
  if (numberWithUnit(t, "db", v)) {
    if (index != kVolIn && index != kVolOut) return fail(error, "dB applies to vol.in and vol.out only");
    const int wideIndex = index == kVolIn ? kInWide : kOutWide;
    const bool wide = static_cast<std::size_t>(wideIndex) < current.size() && current[wideIndex] > 0.5f;
    return positionForDecibels(v, wide, error);
  }
  if (numberWithUnit(t, "hz", v)) {
    if (index != kFrequency) return fail(error, "Hz applies to spare.freq only");
    if (v < 25.0 || v > 250.0) return fail(error, "must be between 25Hz and 250Hz");
    return static_cast<float>((v - 25.0) / 225.0);
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
