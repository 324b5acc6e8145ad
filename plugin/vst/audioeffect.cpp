#include "audioeffect.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "aeffeditor.h"

namespace {

AudioEffect* effectOf(AEffect* e) { return e ? static_cast<AudioEffect*>(e->object) : nullptr; }

VstIntPtr VSTCALLBACK dispatchBridge(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                     float opt) {
  AudioEffect* effect = effectOf(e);
  if (!effect) return 0;
  if (opcode == effClose) {
    effect->dispatcher(opcode, index, value, ptr, opt);
    delete effect;
    return 1;
  }
  return effect->dispatcher(opcode, index, value, ptr, opt);
}

void VSTCALLBACK setParameterBridge(AEffect* e, VstInt32 index, float value) {
  if (AudioEffect* effect = effectOf(e)) effect->setParameter(index, value);
}

float VSTCALLBACK getParameterBridge(AEffect* e, VstInt32 index) {
  AudioEffect* effect = effectOf(e);
  return effect ? effect->getParameter(index) : 0.0f;
}

void VSTCALLBACK processReplacingBridge(AEffect* e, float** inputs, float** outputs, VstInt32 frames) {
  if (AudioEffect* effect = effectOf(e)) effect->processReplacing(inputs, outputs, frames);
}

void VSTCALLBACK processDoubleBridge(AEffect* e, double** inputs, double** outputs, VstInt32 frames) {
  if (AudioEffect* effect = effectOf(e)) effect->processDoubleReplacing(inputs, outputs, frames);
}

// The accumulating process call of VST 1: the effect does not take part in it.
void VSTCALLBACK processAccumulatingBridge(AEffect*, float**, float**, VstInt32) {}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback master, VstInt32 programs, VstInt32 params)
    : audioMaster(master), numPrograms(programs), numParams(params) {
  std::memset(&cEffect, 0, sizeof cEffect);
  cEffect.magic = kEffectMagic;
  cEffect.dispatcher = dispatchBridge;
  cEffect.process = processAccumulatingBridge;
  cEffect.setParameter = setParameterBridge;
  cEffect.getParameter = getParameterBridge;
  cEffect.processReplacing = processReplacingBridge;
  cEffect.processDoubleReplacing = processDoubleBridge;
  cEffect.numPrograms = programs;
  cEffect.numParams = params;
  cEffect.numInputs = 1;
  cEffect.numOutputs = 2;
  cEffect.ioRatio = 1.0f;
  cEffect.object = this;
  cEffect.uniqueID = kFourCC('N', 'o', 'E', 'f');
  cEffect.version = 1;
  canProcessReplacing(true);
}

AudioEffect::~AudioEffect() { delete editor; }

void AudioEffect::setFlag(VstInt32 flag, bool state) {
  if (state)
    cEffect.flags |= flag;
  else
    cEffect.flags &= ~flag;
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
  editor = newEditor;
  setFlag(effFlagsHasEditor, editor != nullptr);
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
  setParameter(index, value);
  callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::beginEdit(VstInt32 index) { callHost(audioMasterBeginEdit, index); }
void AudioEffect::endEdit(VstInt32 index) { callHost(audioMasterEndEdit, index); }

// One case per opcode, each a line or two: longer than a function should be,
// but read best as the one table it is.
VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  auto* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effOpen:
      open();
      return 0;
    case effClose:
      close();
      return 0;
    case effSetProgram:
      if (value >= 0 && value < numPrograms) setProgram(static_cast<VstInt32>(value));
      return 0;
    case effGetProgram:
      return getProgram();
    case effSetProgramName:
      if (text) setProgramName(text);
      return 0;
    case effGetProgramName:
      if (text) getProgramName(text);
      return 0;
    case effGetParamLabel:
      if (text) getParameterLabel(index, text);
      return 0;
    case effGetParamDisplay:
      if (text) getParameterDisplay(index, text);
      return 0;
    case effGetParamName:
      if (text) getParameterName(index, text);
      return 0;
    case effSetSampleRate:
      setSampleRate(opt);
      return 0;
    case effSetBlockSize:
      setBlockSize(static_cast<VstInt32>(std::clamp<VstIntPtr>(value, INT_MIN, INT_MAX)));
      return 0;
    case effMainsChanged:
      if (value)
        resume();
      else
        suspend();
      return 0;
    case effEditGetRect:
      return editor && ptr ? editor->getRect(static_cast<ERect**>(ptr)) : 0;
    case effEditOpen:
      return editor ? editor->open(ptr) : 0;
    case effEditClose:
      if (editor) editor->close();
      return 0;
    case effEditIdle:
      if (editor) editor->idle();
      return 0;
    case effIdentify:
      return kFourCC('N', 'v', 'E', 'f');
    case effGetChunk:
      return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk: {
      if (!ptr || value <= 0) return 0;
      const auto size = static_cast<VstInt32>(std::min<VstIntPtr>(value, INT_MAX));
      return setChunk(ptr, size, index != 0);
    }
    default:
      return 0;
  }
}
