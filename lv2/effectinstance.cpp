#include "effectinstance.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace sorel::lv2 {
namespace {

// The effect asks its host for the VST version and for time information; an
// LV2 instance has no VST host, so only the version is answered.
VstIntPtr VSTCALLBACK answerVersionOnly(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

// The order changed ports are applied in: the compare selector first (what it
// recalls yields to every other port that changed with it), then the range
// switches (a volume that changed with its switch keeps the value it was
// given, as when a program loads), then the rest in index order.
constexpr int kFirstApplied[] = {kCompareSelect, kInRange, kOutRange};

bool appliedFirst(int index) {
  for (int first : kFirstApplied)
    if (index == first) return true;
  return false;
}

}  // namespace

EffectInstance::EffectInstance(const Variant& variant, double sampleRate)
    : plug(std::make_unique<CPlug>(answerVersionOnly)), channels(variant.channels) {
  std::fill(std::begin(applied), std::end(applied), std::numeric_limits<float>::quiet_NaN());
  std::fill(std::begin(heldAtLoad), std::end(heldAtLoad), std::numeric_limits<float>::quiet_NaN());
  plug->setSampleRate(static_cast<float>(sampleRate));
  plug->setBlockSize(CEngine::kLongestPiece);
  VstSpeakerArrangement input{};
  input.type = channels == 1 ? kSpeakerArrMono : kSpeakerArrStereo;
  input.numChannels = channels;
  VstSpeakerArrangement output = input;
  plug->setSpeakerArrangement(&input, &output);
}

void EffectInstance::connect(std::uint32_t port, void* data) {
  auto* samples = static_cast<float*>(data);
  if (port < kLatencyPort) {
    controls[port] = samples;
  } else if (port == kLatencyPort) {
    latency = samples;
  } else if (port < kFirstAudioPort + static_cast<std::uint32_t>(channels)) {
    inputs[port - kFirstAudioPort] = samples;
  } else if (port < kFirstAudioPort + 2 * static_cast<std::uint32_t>(channels)) {
    outputs[port - kFirstAudioPort - static_cast<std::uint32_t>(channels)] = samples;
  }
}

void EffectInstance::applyPort(int index) {
  const float* port = controls[index];
  if (!port) return;  // not connected: the effect keeps its value
  const float value = *port;
  // Bitwise, so a NaN the host keeps sending is handed over once.
  if (std::memcmp(&value, &applied[index], sizeof value) == 0) {
    heldAtLoad[index] = std::numeric_limits<float>::quiet_NaN();  // the host holds the loaded value now
    return;
  }
  if (std::memcmp(&value, &heldAtLoad[index], sizeof value) == 0) return;
  heldAtLoad[index] = std::numeric_limits<float>::quiet_NaN();
  applied[index] = value;
  plug->setParameter(index, value);
}

void EffectInstance::applyChangedPorts() {
  for (int first : kFirstApplied) applyPort(first);
  for (int i = 0; i < kNumParams; ++i)
    if (!appliedFirst(i)) applyPort(i);
}

// [audio] A missing input is silence; a missing output leaves the block
// unprocessed (the effect's state does not move on without its audio).
void EffectInstance::run(std::uint32_t frames) {
  applyChangedPorts();
  if (frames > 0 && frames <= static_cast<std::uint32_t>(std::numeric_limits<VstInt32>::max())) {
    float* in[2] = {};
    bool complete = true;
    for (int c = 0; c < channels; ++c) {
      complete = complete && outputs[c];
      if (!inputs[c] && outputs[c]) std::memset(outputs[c], 0, frames * sizeof(float));
      in[c] = inputs[c] ? const_cast<float*>(inputs[c]) : outputs[c];
    }
    if (complete) plug->processReplacing(in, outputs, static_cast<VstInt32>(frames));
  }
  if (latency) *latency = static_cast<float>(plug->getEngine().getLatency());
}

std::int32_t EffectInstance::chunk(const void** data) {
  void* bytes = nullptr;
  const VstInt32 size = plug->getChunk(&bytes, false);
  *data = bytes;
  return size;
}

// A host may restore its ports to the values the session saved beside the
// chunk (before or after it), or leave them as they are: neither moves a
// loaded value. Only a port moved to a third value does.
bool EffectInstance::loadChunk(const void* data, std::uint32_t size) {
  if (size > static_cast<std::uint32_t>(std::numeric_limits<VstInt32>::max())) return false;
  if (plug->setChunk(const_cast<void*>(data), static_cast<VstInt32>(size), false) == 0) return false;
  for (int i = 0; i < kNumParams; ++i) {
    heldAtLoad[i] = controls[i] ? *controls[i] : std::numeric_limits<float>::quiet_NaN();
    applied[i] = plug->getParameter(i);
  }
  return true;
}

}  // namespace sorel::lv2
