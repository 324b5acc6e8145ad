// Running the chain. Module by module over a piece of the block: since each
// module's output depends only on its own input sample and its own filter
// state, this gives the same samples as running the chain sample by sample,
// and it lets the memoryless parts run as vector passes and the two lanes'
// one-pole recurrences share one loop.
#include "kernels.h"
#include "moduleset.h"
#include "recurrences.h"

namespace sorel {
namespace {

constexpr int kScratchLength = 256;  // the longest piece the scratch arrays hold

using Lane = CModuleSet::Lane;

// Salt: shape every sample, then the 7.5 Hz recurrence that takes the
// polynomial's slow part back out.
void runSalt(const kernels::Table& k, Lane* const* lanes, int count, int n) {
  float poly[2][kScratchLength];
  float lin[2][kScratchLength];
  for (int c = 0; c < count; ++c) k.saltShape(lanes[c]->x, poly[c], lin[c], n, lanes[c]->settings->salt);
  if (count == 2)
    runRecurrences<SaltOutput>(*lanes[0]->salt, *lanes[1]->salt, poly[0], poly[1], lin[0], lin[1], lanes[0]->x,
                               lanes[1]->x, n, 0.0f, 0.0f);
  else
    runRecurrence<SaltOutput>(*lanes[0]->salt, poly[0], lin[0], lanes[0]->x, n, 0.0f);
}

// Sugar: shape, low-pass the shaped part, add the dry signal, compensate.
void runSugar(const kernels::Table& k, Lane* const* lanes, int count, int n) {
  float poly[2][kScratchLength];
  for (int c = 0; c < count; ++c) k.sugarShape(lanes[c]->x, poly[c], n, lanes[c]->settings->sugar);
  const float comp0 = lanes[0]->settings->sugarCompensation;
  if (count == 2)
    runRecurrences<SugarOutput>(*lanes[0]->sugar, *lanes[1]->sugar, poly[0], poly[1], lanes[0]->x, lanes[1]->x,
                                lanes[0]->x, lanes[1]->x, n, comp0, lanes[1]->settings->sugarCompensation);
  else
    runRecurrence<SugarOutput>(*lanes[0]->sugar, poly[0], lanes[0]->x, lanes[0]->x, n, comp0);
}

void runPiece(const kernels::Table& k, Lane* lanes, int count, int n) {
  for (int m = 0; m < CModuleSet::kNumModules; ++m) {
    const auto module = static_cast<CModuleSet::Module>(m);
    Lane* running[2];
    int active = 0;
    for (int c = 0; c < count; ++c)
      if (lanes[c].settings->runs(module)) running[active++] = &lanes[c];
    if (active == 0) continue;
    switch (module) {
      case CModuleSet::kSalt:
        runSalt(k, running, active, n);
        break;
      case CModuleSet::kPepper:
        for (int c = 0; c < active; ++c) k.pepper(running[c]->x, n, running[c]->settings->pepper);
        break;
      case CModuleSet::kSugar:
        runSugar(k, running, active, n);
        break;
      case CModuleSet::kChili:
        for (int c = 0; c < active; ++c) k.chili(running[c]->x, n, running[c]->settings->chili);
        break;
      case CModuleSet::kNumModules:
        break;
    }
  }
}

void runChain(const Lane* lanes, int count, int n) {
  const kernels::Table& k = kernels::active();
  for (int offset = 0; offset < n; offset += kScratchLength) {
    const int length = n - offset < kScratchLength ? n - offset : kScratchLength;
    Lane piece[2];
    for (int c = 0; c < count; ++c) {
      piece[c] = lanes[c];
      piece[c].x += offset;
    }
    runPiece(k, piece, count, length);
  }
}

}  // namespace

void CModuleSet::process(float* const* channels, int n) {
  const int count = getChannels() > 1 ? 2 : 1;
  Lane lanes[2];
  for (int c = 0; c < count; ++c) lanes[c] = {&current, &saltFilters[c], &sugarFilters[c], channels[c]};
  runChain(lanes, count, n);
}

void CModuleSet::processPair(CModuleSet& a, float* x, CModuleSet& b, float* y, int n) {
  const Lane lanes[2] = {{&a.current, &a.saltFilters[0], &a.sugarFilters[0], x},
                         {&b.current, &b.saltFilters[0], &b.sugarFilters[0], y}};
  runChain(lanes, 2, n);
}

}  // namespace sorel
