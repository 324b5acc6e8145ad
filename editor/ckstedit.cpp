#include "ckstedit.h"

#include "ccontrol.h"
#include "cdropdownlst.h"
#include "cframe.h"
#include "clst.h"
#include "cviewcontainer1.h"

namespace sorel {

using namespace VSTGUI;

bool CKstEditor::handleInternal(int tag, float value, CControl* control) {
  if (tag == kTagShowAbout) {
    if (frame && aboutView && frame->setModalView(aboutView)) {
      aboutView->setDirty(true);
      aboutClosed = false;
    }
    return true;
  }
  if (tag == kTagCloseAbout) {
    if (frame) {
      frame->setModalView(nullptr);
      frame->setDirty(true);
    }
    aboutClosed = true;
    return true;
  }
  if (value == CLst::kClosedValue) {
    if (frame) {
      if (auto* modal = dynamic_cast<CViewContainer1*>(frame->getModalView())) modal->setMouseFirstView(nullptr);
    }
    openList = nullptr;
    return true;
  }
  if (value == CLst::kOpenValue) {
    auto* list = dynamic_cast<CLst*>(control);
    if (openList && openList != list && openList->getOwner()) openList->getOwner()->closeList();
    openList = list;
    if (frame) {
      if (auto* modal = dynamic_cast<CViewContainer1*>(frame->getModalView())) modal->setMouseFirstView(list);
    }
    return true;
  }
  return false;
}

}  // namespace sorel
