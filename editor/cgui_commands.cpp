// What the controls' changes do: a command row runs its command, any other
// control sends its parameter to the effect.
#include "audioeffect.h"
#include "ccontrol.h"
#include "cdropdownlst.h"
#include "cframecm.h"
#include "cgui.h"
#include "ctextlabel.h"
#include "typedvalue.h"

namespace sorel {

using namespace VSTGUI;

void CGui::valueChanged(CControl* control) {
  if (!control) return;
  const int tag = control->getTag();
  float v = control->getValue();
  if (control->isTypeOf("CKstTextEd")) {
    auto* field = static_cast<CTextLabel*>(control);
    v = typedToNormalised(tag, readTypedNumber(field->getText()), switchIsOn(link->getParameterDirect(kInRange)),
                          switchIsOn(link->getParameterDirect(kOutRange)));
  }
  if (tag == kTagOpenLink) {
    openCurrentLink();
    return;
  }
  if (handleInternal(tag, v, control)) return;
  if (const CommandDesc* command = commandOf(tag)) {
    runCommand(*command, v);
  } else if (parameterOfTag(tag) != -1) {
    automateParameter(parameterOfTag(tag), v);
  }
}

void CGui::runCommand(const CommandDesc& command, float value) {
  switch (command.command) {
    case Command::kSelectStore:
      link->setParameterDirect(kCompareSelect, value);
      break;
    case Command::kCaptureStore:
      link->setParameterDirect(kCmdCaptureA + command.arg, 1.f);
      link->setParameterDirect(kCompValidA + command.arg, 1.f);
      break;
    case Command::kShowPage:
      link->setParameterDirect(kPage, static_cast<float>(command.arg) * kWholeStep);
      break;
    case Command::kOpenMenu:
      if (auto* menu = dynamic_cast<CDropdownLst*>(getControl(command.arg))) menu->openList();
      break;
    case Command::kTransfer:
      automateParameter(kCmdConvertSets, value);
      if (guiFrame) guiFrame->invalid();
      break;
    case Command::kShowAbout:
      handleInternal(kTagShowAbout, value, nullptr);
      break;
  }
}

}  // namespace sorel
