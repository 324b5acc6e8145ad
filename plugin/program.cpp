#include "program.h"

namespace sorel {

ProgramRecord defaultProgram() {
  ProgramRecord record{};
  for (int i = 0; i < kNumParams; ++i) record.values[i] = kParamTable[i].defaultValue;
  return record;
}

}  // namespace sorel
