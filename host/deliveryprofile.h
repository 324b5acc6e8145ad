// Named delivery profiles: the loudness, true-peak ceiling and format that
// each destination asks for, as one static table. A profile fills in what
// the command line leaves open; explicit options win.
#pragma once

#include <string>

namespace sorel::host {

struct DeliveryProfile {
  const char* name;
  double targetLufs;  // NaN: the master keeps its own loudness
  double ceilingDb;   // dBTP
  int sampleRate;     // 0: the input's
  int bits;           // 0: as --type says; 16 for CD audio
  const char* what;
};

// Null when there is no profile of that name.
const DeliveryProfile* findProfile(const std::string& name);
// The table as text, one profile a line (for --help).
std::string profileTable();
// "streaming|apple|ebu|cd"
std::string profileNames();

// Reads "-14", "-14LUFS", "-14 lufs" (the unit as given, any case, optional).
// False for anything else, or a number that is not finite.
bool parseLevel(const std::string& text, const std::string& unit, double& value);

}  // namespace sorel::host
