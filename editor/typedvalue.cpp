#include "typedvalue.h"

#include <algorithm>
#include <cstdlib>

#include "layout.h"
#include "parameters.h"
#include "volume.h"

namespace sorel {

double readTypedNumber(const char* text) {
  if (!text) return 0;
  char clean[128];
  int kept = 0;
  bool point = false;
  for (int i = 0; i < 127 && text[i]; ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      clean[kept++] = c;
    } else if ((c == '.' || c == ',') && !point) {
      point = true;
      clean[kept++] = '.';
    } else if (c == '-' && kept == 0) {
      clean[kept++] = c;
    }
  }
  clean[kept] = 0;
  return std::strtod(clean, nullptr);
}

float typedToNormalised(int tag, double number, bool inWide, bool outWide) {
  const int parameter = parameterOfTag(tag);
  float v;
  if (shownAs(parameter) == Shown::kDecibels) {
    v = typedVolumePosition(number, rangeSwitchOf(parameter) == kInRange ? inWide : outWide);
  } else {
    v = static_cast<float>(number * 0.01);
  }
  return std::clamp(v, 0.f, 1.f);
}

}  // namespace sorel
