// An editor interface that logs the edit gestures the frame forwards to it.
#pragma once

#include <string>
#include <vector>

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

}  // namespace sorel::test
