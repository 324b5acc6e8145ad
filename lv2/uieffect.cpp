#include "uieffect.h"

#include <array>
#include <cstring>

#include "effectinstance.h"

namespace sorel::lv2 {

UiEffect::UiEffect(const Variant& variant, const HostLink& link, EffectInstance* running)
    : CPlug(answer), host(link), dsp(running) {
  getAeffect()->user = this;
  VstSpeakerArrangement input{};
  input.type = variant.channels == 1 ? kSpeakerArrMono : kSpeakerArrStereo;
  input.numChannels = variant.channels;
  VstSpeakerArrangement output = input;
  setSpeakerArrangement(&input, &output);
  if (dsp) {
    const void* chunk = nullptr;
    const std::int32_t size = dsp->chunk(&chunk);
    std::array<unsigned char, kChunkSize> copy{};
    if (size == kChunkSize) {
      std::memcpy(copy.data(), chunk, copy.size());
      setChunk(copy.data(), kChunkSize, false);
    }
  }
  // Until the host sends its values, it is taken to hold these.
  for (int i = 0; i < kNumParams; ++i) hostKnown[i] = getParameter(i);
}

// The editor's calls to its host: automation and gestures go to the ports,
// a size request to the host's window.
VstIntPtr VSTCALLBACK UiEffect::answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                       float) {
  auto* self = effect ? static_cast<UiEffect*>(effect->user) : nullptr;
  switch (opcode) {
    case audioMasterVersion:
      return 2400;
    case audioMasterAutomate:
      if (self) self->syncToHost();
      return 1;
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
      if (self && self->host.touch && isParameter(index))
        self->host.touch->touch(self->host.touch->handle, static_cast<std::uint32_t>(index),
                                opcode == audioMasterBeginEdit);
      return 1;
    case audioMasterCanDo:
      return self && self->host.resize && ptr && std::strcmp(static_cast<const char*>(ptr), "sizeWindow") == 0;
    case audioMasterSizeWindow:
      return self && self->host.resize &&
             self->host.resize->ui_resize(self->host.resize->handle, index, static_cast<int>(value)) == 0;
    default:
      return 0;
  }
}

void UiEffect::syncToHost() {
  for (int i = 0; i < kNumParams; ++i) {
    const float v = getParameter(i);
    if (std::memcmp(&v, &hostKnown[i], sizeof v) == 0) continue;
    hostKnown[i] = v;
    host.write(host.controller, static_cast<std::uint32_t>(i), sizeof v, 0, &v);
  }
}

void UiEffect::portEvent(std::uint32_t port, float value) {
  if (port >= static_cast<std::uint32_t>(kNumParams)) return;
  const int index = static_cast<int>(port);
  hostKnown[index] = value;
  const float held = getParameter(index);
  if (std::memcmp(&held, &value, sizeof value) != 0) applyAsLoaded(index, value);
}

// Through the chunk, so the value is taken as a program takes it: a range
// switch from the host lowers nothing here (the host sends the volume too),
// a compare selection recalls nothing.
void UiEffect::applyAsLoaded(int index, float value) {
  void* current = nullptr;
  const VstInt32 size = getChunk(&current, false);
  std::array<unsigned char, kChunkSize> copy{};
  if (size != kChunkSize) return;
  std::memcpy(copy.data(), current, copy.size());
  std::memcpy(copy.data() + kChunkHeaderSize + 4 * index, &value, sizeof value);
  setChunk(copy.data(), kChunkSize, false);
}

// A capture into a compare store also captures in the running instance, so
// the session saves the store and a recall there finds it.
void UiEffect::setParameterDirect(VstInt32 index, float value) {
  CPlug::setParameterDirect(index, value);
  if (dsp && index >= kCmdCaptureA && index < kCmdCaptureA + kNumCompareStores)
    dsp->effect().setParameterDirect(index, value);
}

}  // namespace sorel::lv2
