#include "audioeffectx.h"

#include "aeffeditor.h"

namespace {

// A key from the dispatcher's arguments: index is the character, value the
// virtual key and opt the modifier set, each reduced to a byte. A modifier no
// int can hold (NaN included) counts as none.
VstKeyCode keyFrom(VstInt32 index, VstIntPtr value, float opt) {
  VstKeyCode key{};
  key.character = index;
  key.virt = static_cast<unsigned char>(value & 0xFF);
  const bool fits = opt > -2.0e9f && opt < 2.0e9f;
  const auto modifier = fits ? static_cast<VstInt32>(opt) : 0;
  key.modifier = static_cast<unsigned char>(modifier & 0xFF);
  return key;
}

}  // namespace

VstPlugCategory AudioEffectX::getPlugCategory() {
  return (cEffect.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}

void AudioEffectX::resume() {
  if ((cEffect.flags & effFlagsIsSynth) || canDo("receiveVstMidiEvent") == 1) wantEvents(1);
}

bool AudioEffectX::wantEvents(VstInt32 filter) { return callHost(audioMasterWantMidi, 0, filter) != 0; }

VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter) {
  return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}

bool AudioEffectX::updateDisplay() { return callHost(audioMasterUpdateDisplay) != 0; }

bool AudioEffectX::canHostDo(const char* text) {
  return callHost(audioMasterCanDo, 0, 0, const_cast<char*>(text)) != 0;
}

void AudioEffectX::masterIdle() { callHost(audioMasterIdle); }

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height) {
  return callHost(audioMasterSizeWindow, width, height) != 0;
}

// One case per opcode, each a line or two: longer than a function should be,
// but read best as the one table it is.
VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  auto* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effProcessEvents:
      return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
      return canParameterBeAutomated(index) ? 1 : 0;
    case effGetProgramNameIndexed:
      return text && getProgramNameIndexed(static_cast<VstInt32>(value), index, text) ? 1 : 0;
    case effGetInputProperties:
      return ptr && getInputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetOutputProperties:
      return ptr && getOutputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetPlugCategory:
      return getPlugCategory();
    case effSetSpeakerArrangement:
      return setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                   static_cast<VstSpeakerArrangement*>(ptr))
                 ? 1
                 : 0;
    case effGetEffectName:
      return text && getEffectName(text) ? 1 : 0;
    case effGetVendorString:
      return text && getVendorString(text) ? 1 : 0;
    case effGetProductString:
      return text && getProductString(text) ? 1 : 0;
    case effGetVendorVersion:
      return getVendorVersion();
    case effVendorSpecific:
      return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
      return canDo(text);
    case effGetTailSize:
      return getGetTailSize();
    case effGetVstVersion:
      return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp: {
      if (!editor) return 0;
      VstKeyCode key = keyFrom(index, value, opt);
      return (opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key)) ? 1 : 0;
    }
    case effSetEditKnobMode:
      return editor && editor->setKnobMode(static_cast<VstInt32>(value)) ? 1 : 0;
    case effGetCurrentMidiProgram:
      return -1;
    case effGetSpeakerArrangement:
      if (value) *reinterpret_cast<VstSpeakerArrangement**>(value) = nullptr;
      if (ptr) *static_cast<VstSpeakerArrangement**>(ptr) = nullptr;
      return 0;
    case effSetTotalSampleToProcess:
      return value;
    case effGetNumMidiInputChannels:
      return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels:
      return getNumMidiOutputChannels();
    default:
      // Everything else in 25..79 is unsupported or does nothing and answers 0.
      if (opcode >= effProcessEvents && opcode <= effGetNumMidiOutputChannels) return 0;
      return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
  }
}
