#include "engine.h"

#include <algorithm>
#include <cmath>

#include "denormals.h"
#include "kernels.h"
#include "parameters.h"
#include "volume.h"

namespace sorel {
namespace {

constexpr float kSplitCutoff = 0.15f;  // of the sample rate; replaced by the kernel below
constexpr int kSplitTaps = 31;
// Half-band-ish three-tap kernel: low = cos^2(w/2), zero at Nyquist; delay 1.
constexpr float kSplitKernel[3] = {0.25f, 0.5f, 0.25f};

// Positions beyond this give gains no float holds in the wide range (64^v).
constexpr float kFarthestVolume = 20.0f;

}  // namespace

CEngine::CEngine() {
  sets[kStereoSet].setup(2, kStereoBase);
  sets[kMidSet].setup(1, kMidBase);
  sets[kSideSet].setup(1, kSideBase);
}

void CEngine::setParameter(int index, float value) {
  for (auto& set : sets) set.setParameter(index, value);
}

void CEngine::storeVolume(std::atomic<float>& to, float position) {
  if (std::isnan(position)) return;
  to.store(std::clamp(position, -kFarthestVolume, kFarthestVolume), std::memory_order_relaxed);
}

// [audio] The power is taken again only when the position or range moved.
float CEngine::Volume::currentGain() {
  const float p = position.load(std::memory_order_relaxed);
  const bool w = wide.load(std::memory_order_relaxed);
  if (p != derivedFor || w != derivedWide) {
    derivedFor = p;
    derivedWide = w;
    gain = volumeGain(p, w);
  }
  return gain;
}

void CEngine::setChannels(int count) {
  channelCount.store(count, std::memory_order_relaxed);
  sets[kStereoSet].setChannels(count == 1 ? 1 : 2);
}

void CEngine::setSampleRate(float rate) {
  // A host can send anything here; a rate that is not a positive finite number
  // would make every filter coefficient meaningless, so it is ignored.
  if (!(std::isfinite(rate) && rate > 0.0f)) return;
  const double r = rate;
  if (r != sampleRate || !sampleRateKnown) {
    sampleRate = r;
    sampleRateKnown = true;
    rebuildForRate = true;
  }
  for (auto& set : sets) set.setSampleRate(r);
}

void CEngine::setBlockSize(int size) {
  if (size != blockSize) rebuildForSize = true;
  blockSize = size;
}

void CEngine::resume() {
  if (rebuildForRate || rebuildForSize) {
    rebuildForRate = rebuildForSize = false;
    splitters[0].reset();
    splitters[1].reset();
  }
  if (!splitters[0]) {
    pieceLength = std::clamp(blockSize, 1, kLongestPiece);
    for (auto& splitter : splitters) {
      splitter = std::make_unique<CSplitFir>(kSplitCutoff, kSplitTaps, pieceLength);
      splitter->setCoefficients(kSplitKernel, 3);
    }
  }
}

int CEngine::getLatency() const {
  const bool splitting = splitBand.load(std::memory_order_relaxed) && !bypass.load(std::memory_order_relaxed);
  return splitting && splitters[0] ? splitters[0]->getDelay() : 0;
}

bool CEngine::process(float* const* channels, int n) {
  if (n <= 0 || bypass.load(std::memory_order_relaxed)) return false;
  Block block{};
  block.channels = std::min(channelCount.load(std::memory_order_relaxed), 2);
  if (block.channels <= 0) return false;
  block.page = page.load(std::memory_order_relaxed);
  block.inputGain = volumes[kIn].currentGain();
  block.outputGain = volumes[kOut].currentGain();
  block.split = splitBand.load(std::memory_order_relaxed) && splitters[0] != nullptr;
  // Coefficients are taken before the denormal guard so they come out the same
  // as on any other thread.
  for (auto& set : sets) set.update();

  ScopedFlushDenormals guard;
  bool clipped = false;
  for (int offset = 0; offset < n; offset += pieceLength) {
    const int length = std::min(pieceLength, n - offset);
    float* piece[2] = {channels[0] + offset, block.channels > 1 ? channels[1] + offset : nullptr};
    clipped |= processPiece(piece, length, block);
  }
  return clipped;
}

bool CEngine::processPiece(float* const* ch, int n, const Block& block) {
  bool clipped = false;
  const kernels::Table& k = kernels::active();
  for (int c = 0; c < block.channels; ++c) clipped |= k.gainAndClamp(ch[c], n, block.inputGain);
  if (block.split)
    for (int c = 0; c < block.channels; ++c) splitters[c]->process(ch[c], n);
  runModules(ch, n, block);
  if (block.split)
    for (int c = 0; c < block.channels; ++c) splitters[c]->addHighBand(ch[c], n);
  for (int c = 0; c < block.channels; ++c) k.gainAndClamp(ch[c], n, block.outputGain);  // raises no event
  return clipped;
}

void CEngine::runModules(float* const* ch, int n, const Block& block) {
  if (block.page == 0) {
    sets[kStereoSet].process(ch, n);
  } else if (block.page == 1 || block.page == 2) {
    if (block.channels < 2) {
      sets[kMidSet].process(ch, n);
      return;
    }
    const kernels::Table& k = kernels::active();
    k.encodeMidSide(ch[0], ch[1], n);
    CModuleSet::processPair(sets[kMidSet], ch[0], sets[kSideSet], ch[1], n);
    k.decodeMidSide(ch[0], ch[1], n);
  }
}

}  // namespace sorel
