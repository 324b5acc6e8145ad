// Running the chain: one fused pass per call (chainpass.h), chosen by which
// modules run. Two lanes share a pass when the same modules run in both;
// otherwise each lane runs its own, so a module that is off never costs.
#include "kernels.h"
#include "moduleset.h"
#include "shapers.h"

namespace sorel {
namespace {

unsigned runningModules(const CModuleSet::Settings& s) {
  unsigned bits = 0;
  for (int m = 0; m < CModuleSet::kNumModules; ++m)
    if (s.runs(static_cast<CModuleSet::Module>(m))) bits |= 1u << m;
  const bool pepperOdd = !(bits & (1u << CModuleSet::kPepper)) || oddTermsSuffice(s.pepper);
  const bool sugarOdd = !(bits & (1u << CModuleSet::kSugar)) || oddTermsSuffice(s.sugar);
  return pepperOdd && sugarOdd ? bits : bits | kernels::kAllTermsBit;
}

}  // namespace

void CModuleSet::process(float* const* channels, int n) {
  const int count = getChannels() > 1 ? 2 : 1;
  Lane lanes[2];
  for (int c = 0; c < count; ++c) lanes[c] = {&current, &saltFilters[c], &sugarFilters[c], channels[c]};
  const kernels::Table& k = kernels::active();
  const unsigned pass = runningModules(current);
  if (count == 2 && pass < kernels::kAllTermsBit) {
    k.twoLanes[pass](lanes, n);
  } else {
    for (int c = 0; c < count; ++c) k.oneLane[pass](&lanes[c], n);
  }
}

void CModuleSet::processPair(CModuleSet& a, float* x, CModuleSet& b, float* y, int n) {
  const Lane lanes[2] = {{&a.current, &a.saltFilters[0], &a.sugarFilters[0], x},
                         {&b.current, &b.saltFilters[0], &b.sugarFilters[0], y}};
  const kernels::Table& k = kernels::active();
  const unsigned first = runningModules(a.current);
  const unsigned second = runningModules(b.current);
  if (first == second && first < kernels::kAllTermsBit) {
    k.twoLanes[first](lanes, n);
  } else {
    k.oneLane[first](&lanes[0], n);
    k.oneLane[second](&lanes[1], n);
  }
}

}  // namespace sorel
