// A container that logs "<name> enter" and "<name> exit" like ProbeView.
#pragma once

#include <string>
#include <vector>

#include "cviewcontainer.h"

namespace sorel::test {

class ProbeContainer : public VSTGUI::CViewContainer {
 public:
  ProbeContainer(const VSTGUI::CRect& rect, std::string viewName, std::vector<std::string>* sharedLog)
      : CViewContainer(rect), name(std::move(viewName)), log(sharedLog) {}

  VSTGUI::CMouseEventResult onMouseEntered(VSTGUI::CPoint&, const VSTGUI::CButtonState&) override {
    log->push_back(name + " enter");
    return VSTGUI::kMouseEventHandled;
  }
  VSTGUI::CMouseEventResult onMouseExited(VSTGUI::CPoint&, const VSTGUI::CButtonState&) override {
    log->push_back(name + " exit");
    return VSTGUI::kMouseEventHandled;
  }

 private:
  std::string name;
  std::vector<std::string>* log;
};

}  // namespace sorel::test
