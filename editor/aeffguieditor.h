// The editor base between the host's editor calls and the toolkit: it owns
// the window rectangle, runs the frame's idle, paces idle work during long
// mouse drags and forwards wheel turns. The product's editor derives from it.
#pragma once

#include <cstdint>

#include "aeffeditor.h"
#include "vstguieditorinterface.h"

class AudioEffectX;

class AEffGUIEditor : public AEffEditor, public VSTGUI::VSTGUIEditorInterface {
 public:
  // Registers itself as the effect's editor.
  explicit AEffGUIEditor(AudioEffect* effect);
  ~AEffGUIEditor() override;

  bool getRect(ERect** ppRect) override;
  bool open(void* ptr) override;
  void close() override;
  // Pumps the window's events, repaints what is dirty, paints it; a nested
  // call (from inside a handler) does nothing.
  void idle() override;
  // Keys are never consumed: the host keeps them.
  bool onKeyDown(VstKeyCode&) override { return false; }
  bool onKeyUp(VstKeyCode&) override { return false; }
  // A wheel turn at the current mouse location.
  bool onWheel(float distance) override;
  bool setKnobMode(VstInt32 val) override;

  // --- VSTGUIEditorInterface ---
  void doIdleStuff() override;
  int32_t getKnobMode() const override { return knobMode; }
  void beginEdit(int32_t index) override;
  void endEdit(int32_t index) override;
  // Asks the host to resize its windows; on Windows, when the host cannot,
  // resizes the parent windows itself. True when something was resized.
  bool beforeSizeChange(const VSTGUI::CRect& newSize, const VSTGUI::CRect& oldSize) override;

 protected:
  AudioEffectX* effectX() const;

  ERect rect{};
  // One knob mode for every editor of the process.
  static int32_t knobMode;

 private:
  bool inIdle = false;
  bool inIdleStuff = false;
  uint32_t nextIdleTick = 0;
  bool oleInitialized = false;  // Windows: paired with an uninitialize at destruction
};
