#include "deliveryprofile.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace sorel::host {
namespace {

// CD audio has no loudness normalisation downstream and no lossy encoder
// after it: no target, and a ceiling close to full scale that still keeps
// converters' inter-sample overs away.
const DeliveryProfile kProfiles[] = {
    {"streaming", -14.0, -1.0, 0, 0, "music streaming services"},
    {"apple", -16.0, -1.0, 0, 0, "Apple Music, podcasts"},
    {"ebu", -23.0, -1.0, 0, 0, "broadcast (EBU R128)"},
    {"cd", NAN, -0.3, 44100, 16, "CD audio: 44.1 kHz 16-bit, the master's own loudness"},
};

}  // namespace

const DeliveryProfile* findProfile(const std::string& name) {
  for (const DeliveryProfile& p : kProfiles)
    if (name == p.name) return &p;
  return nullptr;
}

std::string profileTable() {
  std::string out;
  for (const DeliveryProfile& p : kProfiles) {
    char line[200];
    char target[16] = "-";
    if (std::isfinite(p.targetLufs)) std::snprintf(target, sizeof target, "%.0f LUFS", p.targetLufs);
    std::snprintf(line, sizeof line, "  %-10s %9s  %5.1f dBTP  %s\n", p.name, target, p.ceilingDb, p.what);
    out += line;
  }
  return out;
}

std::string profileNames() {
  std::string out;
  for (const DeliveryProfile& p : kProfiles) {
    if (!out.empty()) out += '|';
    out += p.name;
  }
  return out;
}

bool parseLevel(const std::string& text, const std::string& unit, double& value) {
  const char* start = text.c_str();
  char* end = nullptr;
  const double v = std::strtod(start, &end);
  if (end == start || !std::isfinite(v)) return false;
  std::string rest(end);
  while (!rest.empty() && rest.front() == ' ') rest.erase(rest.begin());
  if (!rest.empty()) {
    if (rest.size() != unit.size()) return false;
    for (std::size_t i = 0; i < rest.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(rest[i])) != std::tolower(static_cast<unsigned char>(unit[i])))
        return false;
  }
  value = v;
  return true;
}

}  // namespace sorel::host
