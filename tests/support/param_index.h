// Tests address a module's parameters by set, module and field, the way the
// model lays a set out, never by a raw index.
#pragma once

#include "parameters.h"

namespace sorel::test {

// The modules in their order within a set, and the fields of a module.
constexpr int kSaltModule = 0, kPepperModule = 1, kSugarModule = 2, kChiliModule = 3;
constexpr int kAmount = 0, kFlavour = 1, kOn = 2, kX1 = 3, kX2 = 4, kX3 = 5;

constexpr int moduleParam(int setBase, int module, int field = kAmount) {
  return setBase + module * kParamsPerModule + field;
}

// The k-th whole-number choice as it travels (the page, the selector, a mode).
constexpr float whole(int k) { return static_cast<float>(k) * kWholeStep; }

}  // namespace sorel::test
