// What the frame needs from the editor that owns it.
#pragma once

#include <cstdint>

#include "crect.h"

namespace VSTGUI {

class CFrame;

class VSTGUIEditorInterface {
 public:
  // Called while a control tracks the mouse for a long time.
  virtual void doIdleStuff() {}
  // -1: no preference (the frame then uses circular mode).
  virtual int32_t getKnobMode() const { return -1; }
  virtual void beginEdit(int32_t index) { (void)index; }
  virtual void endEdit(int32_t index) { (void)index; }
  virtual bool beforeSizeChange(const CRect& newSize, const CRect& oldSize) {
    (void)newSize, (void)oldSize;
    return true;
  }
  virtual CFrame* getFrame() const { return frame; }
  virtual ~VSTGUIEditorInterface() = default;

 protected:
  CFrame* frame = nullptr;
};

}  // namespace VSTGUI
