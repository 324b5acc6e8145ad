// The texts the host is given for parameter names and values.
#pragma once

#include "parameters.h"

namespace sorel {

constexpr int kDisplayTextSize = 32;  // bytes written at most, NUL included

// The text the host and the editor show for `value` of parameter `index`.
// inWide / outWide are the current range switches of vol in / vol out.
void formatParameterDisplay(int index, float value, bool inWide, bool outWide, char* text);

// Copies the table name (at most 24 bytes; every name is shorter), or an
// empty text outside 0..86.
void copyParameterName(int index, char* text);

}  // namespace sorel
