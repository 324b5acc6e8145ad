// AudioEffectX: the VST 2.x operations on top of AudioEffect. Handles
// dispatcher opcodes 25 to 79 and passes every other one down.
#pragma once

#include "audioeffect.h"

class AudioEffectX : public AudioEffect {
 public:
  using AudioEffect::AudioEffect;

  VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
  // Asks the host for MIDI when the effect says it can receive it.
  void resume() override;

  virtual VstInt32 processEvents(VstEvents*) { return 0; }
  virtual bool canParameterBeAutomated(VstInt32) { return true; }
  virtual bool getProgramNameIndexed(VstInt32, VstInt32, char*) { return false; }
  virtual bool getInputProperties(VstInt32, VstPinProperties*) { return false; }
  virtual bool getOutputProperties(VstInt32, VstPinProperties*) { return false; }
  virtual VstPlugCategory getPlugCategory();
  virtual bool setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) { return false; }
  virtual bool getEffectName(char*) { return false; }
  virtual bool getVendorString(char*) { return false; }
  virtual bool getProductString(char*) { return false; }
  virtual VstInt32 getVendorVersion() { return 0; }
  virtual VstIntPtr vendorSpecific(VstInt32, VstIntPtr, void*, float) { return 0; }
  // 1 yes, -1 no, 0 don't know.
  virtual VstInt32 canDo(const char*) { return 0; }
  virtual VstInt32 getGetTailSize() { return 0; }
  virtual VstInt32 getVstVersion() { return kVstVersion; }
  virtual VstInt32 getNumMidiInputChannels() { return 0; }
  virtual VstInt32 getNumMidiOutputChannels() { return 0; }

  void isSynth(bool state = true) { setFlag(effFlagsIsSynth, state); }

  // Host-callback wrappers.
  bool wantEvents(VstInt32 filter = 1);
  VstTimeInfo* getTimeInfo(VstInt32 filter);
  bool updateDisplay();
  bool canHostDo(const char* text);
  bool sizeWindow(VstInt32 width, VstInt32 height);
  // Lets the host run its own idle work (asked for during long mouse drags).
  void masterIdle();
};
