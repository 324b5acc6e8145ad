// Turning a value typed into a read-out into a normalised parameter value.
#pragma once

namespace sorel {

// Keeps digits, the first '.' or ',' (as '.'), and a '-' only before anything
// else was kept; reads at most 127 characters. Not a number reads as 0.
double readTypedNumber(const char* text);

// The normalised value for a number typed into the read-out of `tag`: the
// volume read-outs take decibels in the range their switch selects, every
// other read-out takes percent. Clamped to 0..1.
float typedToNormalised(int tag, double number, bool inWide, bool outWide);

}  // namespace sorel
