// A program record: one value per parameter and a name. The effect's single
// program and each of the three compare stores are one of these.
#pragma once

#include "parameters.h"

namespace sorel {

constexpr int kProgramNameSize = 28;  // NUL included

struct ProgramRecord {
  float values[kNumParams];
  char name[kProgramNameSize];
};

// All parameters at their table defaults, with an empty name.
ProgramRecord defaultProgram();

}  // namespace sorel
