// The audio side of the effect: the host's buffers into the engine, and the
// calls that prepare the engine while processing is suspended.
#include <cstring>

#include "plug.h"

namespace sorel {

// [audio] The frame's settings come from one place, the stored values, read
// once at block start: whatever two host threads did meanwhile, the block runs
// with a gain that belongs to the range switch stored beside it.
void CPlug::publishFrame() {
  engine.setBypass(bypasses(currentValue(kGlobalOn)));
  engine.setPage(wholeNumber(currentValue(kPage)));
  engine.setInputVolume(currentValue(kVolIn));
  engine.setInputWide(isWide(kInRange));
  engine.setOutputVolume(currentValue(kVolOut));
  engine.setOutputWide(isWide(kOutRange));
  engine.setSplitBand(splitBandOn(currentValue(kAntiAlias)));
}

// [audio] No allocation, no lock, no host call; the only call out of the engine
// is the input-clip notice, once per block.
void CPlug::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
  if (sampleFrames <= 0 || !outputs) return;
  const int channels = channelCount < 2 ? (channelCount < 0 ? 0 : channelCount) : 2;
  for (int c = 0; c < channels; ++c)
    if (!outputs[c]) return;
  if (inputs && inputs != outputs) {
    for (int c = 0; c < channels; ++c)
      if (inputs[c] && inputs[c] != outputs[c])
        std::memmove(outputs[c], inputs[c], static_cast<std::size_t>(sampleFrames) * sizeof(float));
  }
  publishFrame();
  if (engine.process(outputs, sampleFrames)) setParameter(kCmdInputClip, 1.0f);
}

void CPlug::setSampleRate(float rate) {
  if (!(rate > 0.0f && rate < 1.0e9f)) return;  // NaN, infinities, zero, negatives: keep the old rate
  AudioEffectX::setSampleRate(rate);
  engine.setSampleRate(rate);
}

void CPlug::setBlockSize(VstInt32 size) {
  AudioEffectX::setBlockSize(size);
  engine.setBlockSize(size);
}

void CPlug::resume() {
  getTimeInfo(0xFFFF);  // asked as the base class does; the answer is not used
  engine.resume();
  AudioEffectX::resume();
}

// Only the input arrangement counts: up to two channels are taken, more are
// refused and the previous count stays. Either way the Stereo set and the
// editor's mono notice follow the count that holds now.
bool CPlug::setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement*) {
  const bool accepted = input && input->numChannels >= 0 && input->numChannels <= 2;
  if (accepted) channelCount = input->numChannels;
  engine.setChannels(channelCount);
  setParameter(kCmdMonoInput, channelCount == 1 ? 1.0f : 0.0f);
  return accepted;
}

}  // namespace sorel
