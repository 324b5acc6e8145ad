// A control listener that logs begin, valueChanged(tag, value) and end.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "ccontrol.h"

namespace sorel::test {

class RecordingListener : public VSTGUI::CControlListener {
 public:
  explicit RecordingListener(std::vector<std::string>* sharedLog) : log(sharedLog) {}

  void valueChanged(VSTGUI::CControl* control) override {
    char text[64];
    std::snprintf(text, sizeof text, "value %d %.4f", control->getTag(), static_cast<double>(control->getValue()));
    log->push_back(text);
  }
  void controlBeginEdit(VSTGUI::CControl* control) override {
    log->push_back("begin " + std::to_string(control->getTag()));
  }
  void controlEndEdit(VSTGUI::CControl* control) override {
    log->push_back("end " + std::to_string(control->getTag()));
  }

 private:
  std::vector<std::string>* log;
};

}  // namespace sorel::test
