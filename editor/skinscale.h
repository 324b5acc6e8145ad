// Which skin the editor uses: the normal one at scale 1, or the double-size
// one at scale 2 for dense, large screens, unless a marker file forces either.
#pragma once

#include <string>

namespace sorel {

struct SkinScaleFacts {
  bool bigMarker = false;    // the marker file asking for the large skin exists
  bool smallMarker = false;  // the marker file asking for the normal skin exists
  bool screenKnown = false;  // a physical screen size was found
  int widthPixels = 0;
  int heightPixels = 0;
  int widthMm = 0;
};

struct SkinScale {
  float scale = 1.f;
  bool large = false;
};

SkinScale decideSkinScale(const SkinScaleFacts& facts);

// Looks at this system: the marker files, then the screen.
SkinScaleFacts gatherSkinScaleFacts();

// Where the marker files are looked for.
std::string bigMarkerPath();
std::string smallMarkerPath();

}  // namespace sorel
