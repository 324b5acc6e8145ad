// Tests address a module's parameters by set, module and field through the
// model's layout, never by a raw index; these take plain ints so loops over
// modules and fields read naturally.
#pragma once

#include "parameters.h"

namespace sorel::test {

constexpr int kSaltModule = kSalt, kPepperModule = kPepper, kSugarModule = kSugar, kChiliModule = kChili;
constexpr int kAmount = sorel::kAmount, kFlavour = sorel::kFlavour, kOn = kModuleOn;
constexpr int kX1 = sorel::kX1, kX2 = sorel::kX2, kX3 = sorel::kX3;

constexpr int moduleParam(int setBase, int module, int field = kAmount) {
  return sorel::moduleParam(static_cast<ParamIndex>(setBase), static_cast<Module>(module),
                            static_cast<ModuleRole>(field));
}

// The parameter the tests turn when any one will do.
constexpr int kStereoSalt = moduleParam(kStereoBase, kSaltModule);

// The k-th whole-number choice as it travels (the page, the selector, a mode).
constexpr float whole(int k) { return static_cast<float>(k) * kWholeStep; }

}  // namespace sorel::test
