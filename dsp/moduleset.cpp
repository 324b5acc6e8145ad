#include "moduleset.h"

#include <cmath>

#include "exactmath.h"
#include "moduletables.h"

namespace sorel {
namespace {

constexpr double kSaltCutoffHz = 7.5;  // removes the DC that the even terms create

// 35^(amount - 1): 1.0 at full amount, approaching 1/35 as the amount nears 0.
float amountGain(float amount) {
  const float exponent = amount - 1.0f;
  return static_cast<float>(exactPow(kLnOf35, static_cast<double>(exponent)));
}

// Flavour 0 gives table A, 0.5 table B, 1 table C, straight lines between.
Poly7 crossfade(const FlavourTables& t, float flavour, float gain) {
  const bool low = flavour <= 0.5f;
  const Poly7& first = low ? t.a : t.b;
  const Poly7& second = low ? t.b : t.c;
  const float w2 = low ? 2.0f * flavour : 2.0f * (flavour - 0.5f);
  const float w1 = 1.0f - w2;
  Poly7 out{};
  for (int k = 0; k < 7; ++k) out[k] = (first[k] * w1 + second[k] * w2) * gain;
  return out;
}

// Values a host may send outside 0..1 extrapolate (gains and frequencies), but
// only as far as every coefficient stays a finite float and every filter
// stable: amounts and flavours are held within ±16 (35^15 and a 33-fold blend
// still fit a float), and Sugar's flavour no lower than -2, which keeps its
// cutoff at 300 Hz or more (a cutoff at or below 0 Hz would be unstable).
constexpr float kFarthestValue = 16.0f;
constexpr float kLowestSugarFlavour = -2.0f;
constexpr double kLargestState = 1.0e6;

float heldInRange(unsigned module, unsigned field, float value) {
  const bool sugarFlavour = module == CModuleSet::kSugar && field == 1;
  const float low = sugarFlavour ? kLowestSugarFlavour : -kFarthestValue;
  return value < low ? low : (value > kFarthestValue ? kFarthestValue : value);
}

double sugarCutoffHz(float flavour) { return 2700.0 + 1200.0 * static_cast<double>(flavour); }

}  // namespace

CModuleSet::CModuleSet() {
  for (auto& module : raw) {
    module[kAmount].store(0.0f, std::memory_order_relaxed);
    module[kFlavour].store(0.5f, std::memory_order_relaxed);
    module[kOn].store(0.0f, std::memory_order_relaxed);
  }
  // The published settings match the raw values from the start; the filters
  // keep their pass-through defaults until a rate or a Sugar change arrives.
  for (int m = 0; m < kNumModules; ++m) computeModule(static_cast<Module>(m));
}

void CModuleSet::setup(int channels, int parameterBase) {
  setChannels(channels);
  base = parameterBase;
}

void CModuleSet::setParameter(int index, float value) {
  const auto r = static_cast<unsigned>(index - base);
  if (r >= static_cast<unsigned>(kActiveParams)) return;
  const unsigned field = r % kParamsPerModule;
  if (field >= kNumFields) return;  // X1..X3
  if (std::isnan(value)) return;    // the last number stays in force
  const unsigned module = r / kParamsPerModule;
  raw[module][field].store(heldInRange(module, field, value), std::memory_order_relaxed);
  dirty.fetch_or(1u << module, std::memory_order_release);
}

void CModuleSet::setSampleRate(double rate) {
  pendingRate.store(rate, std::memory_order_relaxed);
  dirty.fetch_or(kRateDirty, std::memory_order_release);
}

void CModuleSet::update() {
  // Extreme (finite) settings can drive a chain far past full scale or past
  // what a float holds; a filter left holding infinity, NaN or some 1e30 would
  // keep the module silent or pinned long after good values return, so such a
  // state starts again from rest. Settings within 0..1 keep every state within
  // a few times full scale.
  // Two comparisons rather than fabs: the 32-bit build would do fabs on the x87 unit.
  for (COnePole* filters : {saltFilters, sugarFilters})
    for (int ch = 0; ch < 2; ++ch) {
      const double y = filters[ch].y;
      if (!(y <= kLargestState && y >= -kLargestState)) filters[ch].y = 0.0;
    }
  // A plain load first: the exchange is a locked instruction, and most blocks
  // find nothing changed.
  if (dirty.load(std::memory_order_relaxed) == 0) return;
  const unsigned bits = dirty.exchange(0, std::memory_order_acquire);
  if (bits == 0) return;
  if (bits & kRateDirty) {
    const double rate = pendingRate.load(std::memory_order_relaxed);
    for (int ch = 0; ch < 2; ++ch) {
      saltFilters[ch].setSampleRate(rate);
      saltFilters[ch].setCutoff(kSaltCutoffHz);
      sugarFilters[ch].setSampleRate(rate);
    }
    retuneSugarFilters();
  }
  for (int m = 0; m < kNumModules; ++m) {
    if (!(bits & (1u << m))) continue;
    computeModule(static_cast<Module>(m));
    if (m == kSugar) retuneSugarFilters();
  }
}

void CModuleSet::computeModule(Module m) {
  const float amount = raw[m][kAmount].load(std::memory_order_relaxed);
  const float flavourValue = raw[m][kFlavour].load(std::memory_order_relaxed);
  const float onValue = raw[m][kOn].load(std::memory_order_relaxed);
  Settings& s = current;
  s.amounts[m] = amount;
  s.gains[m] = amountGain(amount);
  s.on[m] = switchIsOn(onValue);
  const float gain = s.gains[m];
  switch (m) {
    case kSalt:
      s.flavours[m] = 1.0f - flavourValue;
      s.salt = crossfade(kSaltTables, s.flavours[m], gain);
      break;
    case kPepper:
      s.flavours[m] = flavourValue;
      s.pepper = crossfade(kPepperTables, s.flavours[m], gain);
      break;
    case kSugar:
      s.flavours[m] = flavourValue;
      s.sugar = crossfade(kSugarTables, s.flavours[m], gain);
      s.sugarCompensation = 1.0f / (1.0f + 0.11f * gain);
      break;
    case kChili: {
      const float f = 1.0f - flavourValue;
      s.flavours[m] = f;
      const float oneMinusF = 1.0f - f;
      const float k2 = oneMinusF * gain;
      const float k3 = f * 0.33333334f * gain;
      s.chili = {k3 + k2, k2, k3};
      break;
    }
    case kNumModules:
      break;
  }
}

void CModuleSet::retuneSugarFilters() {
  const double hz = sugarCutoffHz(current.flavours[kSugar]);
  for (auto& filter : sugarFilters) filter.setCutoff(hz);
}

}  // namespace sorel
