#include "deliverychain.h"

#include "loudnesstarget.h"

namespace sorel::host {

bool DeliveryChain::convertRate(int inRate, int outRate, std::string* error) {
  if (inRate == outRate) return true;
  rate = RateConverter::create(channels, inRate, outRate, error);
  return rate != nullptr;
}

void DeliveryChain::applyGain(double db) { gain = gainFactor(db); }

void DeliveryChain::limit(int sampleRate, const LimiterSettings& settings) {
  limiterStage = std::make_unique<TruePeakLimiter>(channels, sampleRate, settings);
}

void DeliveryChain::afterRate(std::vector<float>& block) {
  if (gain != 1.0f)
    for (float& v : block) v *= gain;
  if (limiterStage) limiterStage->process(block);
}

void DeliveryChain::process(std::vector<float>& block) {
  if (rate) rate->process(block);
  afterRate(block);
}

void DeliveryChain::finish(std::vector<float>& block) {
  block.clear();
  if (rate) {
    rate->finish(block);
    afterRate(block);
  }
  if (limiterStage) {
    std::vector<float> tail;
    limiterStage->finish(tail);
    block.insert(block.end(), tail.begin(), tail.end());
  }
}

}  // namespace sorel::host
