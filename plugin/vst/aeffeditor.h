// The editor base of the VST 2.4 interface: what the effect's dispatcher calls
// for the editor opcodes. The real editor derives from it (through the
// editor folder's AEffGUIEditor) and overrides what it supports.
#pragma once

#include "aeffect.h"

class AudioEffect;

class AEffEditor {
 public:
  explicit AEffEditor(AudioEffect* owner = nullptr) : effect(owner) {}
  virtual ~AEffEditor() = default;
  AEffEditor(const AEffEditor&) = delete;
  AEffEditor& operator=(const AEffEditor&) = delete;

  virtual AudioEffect* getEffect() { return effect; }
  // [ui] The editor's size; *rect stays valid while the editor lives.
  virtual bool getRect(ERect** rect) {
    *rect = nullptr;
    return false;
  }
  // [ui] ptr is the host's parent window.
  virtual bool open(void* ptr) {
    systemWindow = ptr;
    return false;
  }
  virtual void close() { systemWindow = nullptr; }
  virtual bool isOpen() { return systemWindow != nullptr; }
  virtual void idle() {}
  virtual bool onKeyDown(VstKeyCode&) { return false; }
  virtual bool onKeyUp(VstKeyCode&) { return false; }
  // [ui] A wheel turn over the editor, in notches.
  virtual bool onWheel(float) { return false; }
  virtual bool setKnobMode(VstInt32) { return false; }

 protected:
  AudioEffect* effect;
  void* systemWindow = nullptr;
};
