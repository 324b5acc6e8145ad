// What the frame forwards to its editor (edit gestures) and what controls
// tell their listener (begin, valueChanged with tag and value, end), logged
// in order into a shared log.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "ccontrol.h"
#include "vstguieditorinterface.h"

namespace sorel::test {

class RecordingEditor : public VSTGUI::VSTGUIEditorInterface {
 public:
  explicit RecordingEditor(std::vector<std::string>* sharedLog) : log(sharedLog) {}

  int32_t getKnobMode() const override { return knobMode; }
  void beginEdit(int32_t index) override { log->push_back("editor begin " + std::to_string(index)); }
  void endEdit(int32_t index) override { log->push_back("editor end " + std::to_string(index)); }

  int32_t knobMode = -1;

 private:
  std::vector<std::string>* log;
};

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
