// A page of the editor: a container with a background picture.
#pragma once

#include "cviewcontainer.h"

namespace sorel {

class CViewContainer1 : public VSTGUI::CViewContainer {
 public:
  CViewContainer1(const VSTGUI::CRect& size, VSTGUI::CFrame* frame, VSTGUI::CBitmap* background);

  bool isTypeOf(const char* type) const override;
};

}  // namespace sorel
