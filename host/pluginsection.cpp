#include "pluginsection.h"

#include <algorithm>

#include "parameters.h"
#include "volume.h"

namespace sorel::host {
namespace {

// The Sorel plug-in's split-band path (aa=splitfir while global.on) delays
// its output by one sample, the centre of its three-tap crossover. It reports
// no initial delay, since the delay comes and goes with a parameter.
constexpr int kSorelSplitDelay = 1;

// The plug-in's delay in frames at its own rate: what it reports, else what
// the Sorel plug-in is known to do.
int pluginDelay(const Session& session, HostedEffect& fx) {
  if (fx.effect()->initialDelay > 0) return fx.effect()->initialDelay;
  const std::vector<float>& v = session.values();
  const bool split = session.isSorel() && v[kGlobalOn] >= 0.5f && v[kAntiAlias] >= kAntiAliasChoices[1].encoding;
  return split ? kSorelSplitDelay : 0;
}

}  // namespace

ClipCounter::ClipCounter(const std::vector<float>& values)
    : active(values.size() > kInRange && values[kGlobalOn] >= 0.5f),
      gain(active ? volumeGain(values[kVolIn], values[kInRange] > 0.5f) : 1.0f) {}

bool ClipCounter::blockClips(float* const* channels, int count, int n) const {
  if (!active) return false;
  const float g = gain;
  bool clipped = false;
  for (int c = 0; c < count; ++c) {
    const float* x = channels[c];
    if (g == 1.0f)
      for (int i = 0; i < n; ++i) clipped |= !(x[i] >= -1.0f && x[i] <= 1.0f);
    else
      for (int i = 0; i < n; ++i) clipped |= !(x[i] * g >= -1.0f && x[i] * g <= 1.0f);
  }
  return clipped;
}

PluginSection::PluginSection(const Session& session, const SectionSetup& setup)
    : channels(setup.channels),
      block(setup.blockSize),
      countClips(session.isSorel()),
      clips(session.values()),
      planar{std::vector<float>(static_cast<std::size_t>(setup.blockSize)),
             std::vector<float>(static_cast<std::size_t>(setup.blockSize))} {}

PluginSection::~PluginSection() = default;

std::unique_ptr<PluginSection> PluginSection::create(const Session& session, const SectionSetup& setup,
                                                     std::string* error) {
  std::unique_ptr<PluginSection> s(new PluginSection(session, setup));
  const double rate = static_cast<double>(setup.sampleRate) * setup.oversample;
  s->fx = session.instance(s->host, setup.channels, static_cast<float>(rate), setup.blockSize, error);
  if (!s->fx) return nullptr;
  if (setup.oversample > 1) {
    s->up = Resampler::create(setup.sampleRate, rate, setup.channels, error);
    s->down = Resampler::create(rate, setup.sampleRate, setup.channels, error);
    if (!s->up || !s->down) return nullptr;
  }
  s->delayFrames = setup.removeDelay ? pluginDelay(session, *s->fx) : 0;
  s->trim = std::make_unique<DelayTrim>(s->delayFrames, setup.channels);
  return s;
}

// The plug-in over interleaved frames, block by block.
void PluginSection::run(std::vector<float>& x, bool counted) {
  const int total = static_cast<int>(x.size()) / channels;
  float* io[2] = {planar[0].data(), planar[1].data()};
  for (int offset = 0; offset < total; offset += block) {
    const int n = std::min(block, total - offset);
    float* piece = x.data() + static_cast<std::ptrdiff_t>(offset) * channels;
    for (int i = 0; i < n; ++i)
      for (int c = 0; c < channels; ++c) planar[c][static_cast<std::size_t>(i)] = piece[i * channels + c];
    if (counted && countClips && clips.blockClips(io, channels, n)) ++clipCount;
    fx->processReplacing(io, io, n);
    for (int i = 0; i < n; ++i)
      for (int c = 0; c < channels; ++c) piece[i * channels + c] = planar[c][static_cast<std::size_t>(i)];
    if (counted) ++blockCount;
  }
  trim->process(x);
}

void PluginSection::process(std::vector<float>& x) {
  if (!up) {
    run(x, true);
    return;
  }
  fast.clear();
  up->process(x.data(), x.size() / static_cast<std::size_t>(channels), fast);
  run(fast, true);
  x.clear();
  down->process(fast.data(), fast.size() / static_cast<std::size_t>(channels), x);
}

// What the upsampler still holds is signal; the silence after it only
// pushes the plug-in's delay out and counts no blocks.
void PluginSection::finish(std::vector<float>& tail) {
  tail.clear();
  std::vector<float> held;
  if (up) {
    up->flush(held);
    run(held, true);
  }
  std::vector<float> silence(static_cast<std::size_t>(delayFrames * channels), 0.0f);
  run(silence, false);
  held.insert(held.end(), silence.begin(), silence.end());
  if (!down) {
    tail = std::move(held);
    return;
  }
  down->process(held.data(), held.size() / static_cast<std::size_t>(channels), tail);
  down->flush(tail);
}

}  // namespace sorel::host
