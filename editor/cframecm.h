// The editor's frame: a frame whose knob mode can be overridden per window.
#pragma once

#include "cframe.h"

namespace sorel {

class CFrameCM : public VSTGUI::CFrame {
 public:
  CFrameCM(const VSTGUI::CRect& rect, VSTGUI::VSTGUIEditorInterface* owner) : CFrame(rect, owner) {}

  // 0: the editor's mode; 1: linear; 2: circular; anything else: the editor's.
  void setKnobModeOverride(int mode) { knobModeOverride = mode; }
  int32_t getKnobMode() const override {
    switch (knobModeOverride) {
      case 1:
        return VSTGUI::kLinearMode;
      case 2:
        return VSTGUI::kCircularMode;
      default:
        return getEditor() ? getEditor()->getKnobMode() : VSTGUI::kCircularMode;
    }
  }

 private:
  int knobModeOverride = 0;
};

}  // namespace sorel
