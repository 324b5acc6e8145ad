// A fixture that loads the built plug-in library through host/ with a host
// that records every audioMaster call.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "host.h"

namespace sorel::test {

inline std::shared_ptr<host::PluginLibrary> pluginLibrary() {
  static std::shared_ptr<host::PluginLibrary> library = [] {
    std::string error;
    auto lib = host::PluginLibrary::open(SOREL_PLUGIN_PATH, &error);
    if (!lib) ADD_FAILURE() << error;
    return lib;
  }();
  return library;
}

// Runs one block through `effect` on separate input and output buffers; the
// outputs start at -7, so a sample left unwritten shows.
inline std::vector<std::vector<float>> processBlock(host::HostedEffect& effect,
                                                    const std::vector<std::vector<float>>& in) {
  std::vector<std::vector<float>> out(in.size(), std::vector<float>(in[0].size(), -7.0f));
  std::vector<float*> inputs;
  std::vector<float*> outputs;
  for (std::size_t c = 0; c < in.size(); ++c) {
    inputs.push_back(const_cast<float*>(in[c].data()));
    outputs.push_back(out[c].data());
  }
  effect.processReplacing(inputs.data(), outputs.data(), static_cast<VstInt32>(in[0].size()));
  return out;
}

class LoadedPlugin : public ::testing::Test {
 protected:
  void SetUp() override {
    host.setRecording(true);
    std::string error;
    auto library = pluginLibrary();
    ASSERT_TRUE(library);
    fx = host::HostedEffect::create(library, host, &error);
    ASSERT_TRUE(fx) << error;
  }

  std::size_t callCount(VstInt32 opcode) const { return host.calls(opcode).size(); }

  // A second instance with a host of its own, to compare against.
  std::unique_ptr<host::HostedEffect> another() {
    std::string error;
    auto other = host::HostedEffect::create(pluginLibrary(), otherHost, &error);
    EXPECT_TRUE(other) << error;
    return other;
  }

  // Stereo noise peaking at `peak`.
  static std::vector<std::vector<float>> noise(int n, float peak, unsigned seed = 7) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> sample(-peak, peak);
    std::vector<std::vector<float>> x(2, std::vector<float>(static_cast<std::size_t>(n)));
    for (auto& ch : x)
      for (float& v : ch) v = sample(random);
    return x;
  }

  // Runs one block through the effect, separate input and output buffers.
  std::vector<std::vector<float>> process(const std::vector<std::vector<float>>& in) { return processBlock(*fx, in); }

  host::Host host;
  std::unique_ptr<host::HostedEffect> fx;
  host::Host otherHost;
};

}  // namespace sorel::test
