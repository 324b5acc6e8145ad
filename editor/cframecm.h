// The editor's frame.
#pragma once

#include "cframe.h"

namespace sorel {

class CFrameCM : public VSTGUI::CFrame {
 public:
  CFrameCM(const VSTGUI::CRect& rect, VSTGUI::VSTGUIEditorInterface* owner) : CFrame(rect, owner) {}
};

}  // namespace sorel
