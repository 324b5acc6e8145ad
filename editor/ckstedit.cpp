#include "ckstedit.h"

#include "ccontrol.h"
#include "cframe.h"

namespace sorel {

using namespace VSTGUI;

bool CKstEditor::handleInternal(int tag) {
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
  }
  return false;
}

}  // namespace sorel
