#include "rig.h"

#include <cmath>
#include <limits>

#include "loaded_plugin.h"
#include "parameters.h"

namespace sorel::validate {

Rig::Rig(float rate, int announced) {
  fx = host::HostedEffect::create(test::pluginLibrary(), host, nullptr);
  if (fx) fx->start(rate, announced);
}

Channels Rig::process(const Channels& in) { return test::processBlock(*fx, in); }

void Rig::processInPlace(Channels& io) {
  float* buffers[2] = {io[0].data(), io[1].data()};
  fx->processReplacing(buffers, buffers, static_cast<VstInt32>(io[0].size()));
}

Channels material(std::mt19937& random, int frames, float peak) {
  std::uniform_real_distribution<float> noise(-0.5f * peak, 0.5f * peak);
  Channels x(2, std::vector<float>(static_cast<std::size_t>(frames)));
  const float phase = static_cast<float>(random() % 1000);
  for (std::size_t i = 0; i < x[0].size(); ++i) {
    const float low = 0.5f * peak * std::sin(0.01f * (static_cast<float>(i) + phase));
    x[0][i] = low + noise(random);
    x[1][i] = -low + noise(random);
  }
  return x;
}

std::vector<unsigned char> busySetting() {
  Rig rig(48000.0f, 512);
  for (ParamIndex base : {kStereoBase, kMidBase, kSideBase})
    for (Module m : {kSalt, kPepper, kSugar, kChili}) {
      rig.fx->setParameter(moduleParam(base, m, kAmount), 0.6f + 0.1f * static_cast<float>(m));
      rig.fx->setParameter(moduleParam(base, m, kFlavour), 0.3f + 0.1f * static_cast<float>(m));
      rig.fx->setParameter(moduleParam(base, m, kModuleOn), 1.0f);
    }
  rig.fx->setParameter(kPage, kWholeStep);
  rig.fx->setParameter(kAntiAlias, kWholeStep);
  rig.fx->setParameter(kVolIn, 0.45f);
  return rig.fx->getChunk();
}

float hostileValue(std::mt19937& random) {
  switch (random() % 8) {
    case 0:
      return std::numeric_limits<float>::quiet_NaN();
    case 1:
      return std::numeric_limits<float>::infinity();
    case 2:
      return -std::numeric_limits<float>::infinity();
    case 3:
      return std::uniform_real_distribution<float>(-1.0e6f, 1.0e6f)(random);
    case 4:
      return std::uniform_real_distribution<float>(-3.0f, 4.0f)(random);
    default:
      return std::uniform_real_distribution<float>(0.0f, 1.0f)(random);
  }
}

std::thread automate(host::HostedEffect& effect, unsigned seed, const std::atomic<bool>& done) {
  return std::thread([&effect, seed, &done] {
    std::mt19937 random(seed);
    while (!done.load()) {
      const auto index = static_cast<VstInt32>(random() % (kCmdMonoInput + 1));
      effect.setParameter(index, index == kGlobalOn ? 1.0f : hostileValue(random));
      (void)effect.paramDisplay(static_cast<VstInt32>(random() % kNumParams));
    }
  });
}

float convergedDifference(Rig& a, Rig& b, float seconds, std::mt19937& random) {
  const int block = 4096;
  const int blocks = static_cast<int>(std::ceil(seconds * 48000.0f / block));
  float difference = 0.0f;
  for (int i = 0; i < blocks; ++i) {
    const Channels in = material(random, block, 0.9f);
    const Channels x = a.process(in);
    const Channels y = b.process(in);
    difference = 0.0f;
    for (int c = 0; c < 2; ++c)
      for (std::size_t k = 0; k < in[0].size(); ++k) difference = std::max(difference, std::fabs(x[c][k] - y[c][k]));
  }
  return difference;
}

float peakOf(const Channels& x) {
  float peak = 0.0f;
  for (const auto& ch : x)
    for (float v : ch) peak = std::max(peak, std::fabs(v));
  return peak;
}

}  // namespace sorel::validate
