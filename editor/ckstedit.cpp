#include "ckstedit.h"

#include "ccontrol.h"
#include "cdropdownlst.h"
#include "cframe.h"
#include "clst.h"

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
    openList = nullptr;
    return true;
  }
  if (value == CLst::kOpenValue) {
    auto* list = dynamic_cast<CLst*>(control);
    if (openList && openList != list && openList->getOwner()) openList->getOwner()->closeList();
    openList = list;
    return true;
  }
  return false;
}

}  // namespace sorel
