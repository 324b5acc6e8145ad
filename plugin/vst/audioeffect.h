// AudioEffect: turns the C interface of the effect record into virtual
// operations. Handles dispatcher opcodes 0 to 24; AudioEffectX adds the rest.
#pragma once

#include "aeffect.h"

class AEffEditor;

class AudioEffect {
 public:
  AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
  virtual ~AudioEffect();
  AudioEffect(const AudioEffect&) = delete;
  AudioEffect& operator=(const AudioEffect&) = delete;

  AEffect* getAeffect() { return &cEffect; }

  // [ui] Opcodes 0 to 24; anything else answers 0.
  virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

  virtual void open() {}
  virtual void close() {}
  virtual void suspend() {}
  virtual void resume() {}
  virtual void setSampleRate(float rate) { sampleRate = rate; }
  virtual void setBlockSize(VstInt32 size) { blockSize = size; }

  virtual void setProgram(VstInt32 program) { curProgram = program; }
  virtual VstInt32 getProgram() { return curProgram; }
  virtual void setProgramName(char*) {}
  virtual void getProgramName(char* name) { *name = 0; }

  // [any thread]
  virtual void setParameter(VstInt32, float) {}
  virtual float getParameter(VstInt32) { return 0.0f; }
  // [any thread] Sets the value, then tells the host (automation).
  virtual void setParameterAutomated(VstInt32 index, float value);
  virtual void getParameterLabel(VstInt32, char*) {}
  virtual void getParameterDisplay(VstInt32, char*) {}
  virtual void getParameterName(VstInt32, char*) {}

  virtual VstInt32 getChunk(void**, bool) { return 0; }
  virtual VstInt32 setChunk(void*, VstInt32, bool) { return 0; }

  // [audio]
  virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
  virtual void processDoubleReplacing(double**, double**, VstInt32) {}

  // Set-up of the record, for the effect's constructor.
  virtual void setEditor(AEffEditor* newEditor);
  AEffEditor* getEditor() const { return editor; }
  void setUniqueID(VstInt32 id) { cEffect.uniqueID = id; }
  void setNumInputs(VstInt32 n) { cEffect.numInputs = n; }
  void setNumOutputs(VstInt32 n) { cEffect.numOutputs = n; }
  void canProcessReplacing(bool state = true) { setFlag(effFlagsCanReplacing, state); }
  void programsAreChunks(bool state = true) { setFlag(effFlagsProgramChunks, state); }

  float getSampleRate() const { return sampleRate; }

  // Host-callback wrappers; each answers 0 when there is no callback.
  virtual void beginEdit(VstInt32 index);
  virtual void endEdit(VstInt32 index);

 protected:
  VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);
  void setFlag(VstInt32 flag, bool state);

  audioMasterCallback audioMaster;
  AEffEditor* editor = nullptr;
  float sampleRate = 44100.0f;
  VstInt32 blockSize = 1024;
  VstInt32 numPrograms;
  VstInt32 numParams;
  VstInt32 curProgram = 0;
  AEffect cEffect;
};
