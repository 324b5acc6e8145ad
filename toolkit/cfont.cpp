#include "cfont.h"

namespace VSTGUI {

namespace {
// Static objects, never forgotten down to zero: one reference is the process's.
CFontDesc systemFont("Arial", 12);
CFontDesc veryBig("Arial", 18);
CFontDesc big("Arial", 14);
CFontDesc normal("Arial", 12);
CFontDesc small("Arial", 11);
CFontDesc smaller("Arial", 10);
CFontDesc verySmall("Arial", 9);
}  // namespace

const CFontRef kSystemFont = &systemFont;
const CFontRef kNormalFontVeryBig = &veryBig;
const CFontRef kNormalFontBig = &big;
const CFontRef kNormalFont = &normal;
const CFontRef kNormalFontSmall = &small;
const CFontRef kNormalFontSmaller = &smaller;
const CFontRef kNormalFontVerySmall = &verySmall;

}  // namespace VSTGUI
