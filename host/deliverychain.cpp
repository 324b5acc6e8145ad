#include "deliverychain.h"

#include "loudnesstarget.h"

namespace sorel::host {

bool DeliveryChain::convertRate(int inRate, int outRate, std::string* error) {
  if (inRate == outRate) return true;
  rate = Resampler::create(inRate, outRate, channels, error);
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

// The given peaks, times the gain (null when none are given).
static const float* scale(const float* peaks, std::size_t count, float gain, std::vector<float>& out) {
  if (!peaks) return nullptr;
  out.resize(count);
  for (std::size_t i = 0; i < count; ++i) out[i] = peaks[i] * gain;
  return out.data();
}

void DeliveryChain::process(std::vector<float>& block, const float* peaks) {
  if (gain != 1.0f)
    for (float& v : block) v *= gain;
  if (limiterStage)
    limiterStage->process(block, scale(peaks, block.size() / static_cast<std::size_t>(channels), gain, scaled));
}

void DeliveryChain::finish(std::vector<float>& block, const float* peaks) {
  if (limiterStage)
    limiterStage->finish(block, scale(peaks, static_cast<std::size_t>(limiterStage->latency()), gain, scaled));
}

void DeliveryChain::process(std::vector<float>& block) {
  if (rate) {
    std::vector<float> converted;
    rate->process(block.data(), block.size() / static_cast<std::size_t>(channels), converted);
    block.swap(converted);
  }
  afterRate(block);
}

void DeliveryChain::finish(std::vector<float>& block) {
  if (rate) {
    std::vector<float> tail;
    rate->flush(tail);
    afterRate(tail);
    block.insert(block.end(), tail.begin(), tail.end());
  }
  if (limiterStage) limiterStage->finish(block);
}

}  // namespace sorel::host
