// The real editor of a directly built effect, opened off-screen through the
// effect's dispatcher, with a host callback that records what the host hears.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "canimknobkst.h"
#include "cgui.h"
#include "platform/offscreen/offscreen.h"
#include "plug.h"

namespace sorel::test {

struct HostEvent {
  VstInt32 opcode;  // audioMasterAutomate, audioMasterBeginEdit or audioMasterEndEdit
  VstInt32 index;
  float value;
  bool operator==(const HostEvent&) const = default;
};

class EditorHost {
 public:
  EditorHost();
  ~EditorHost();

  bool open();
  void close();
  void idle();
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0);
  // Host events since the last call.
  std::vector<HostEvent> takeHostEvents();
  void record(const HostEvent& event);

  CPlug& plug() { return *effect; }
  CGui& gui() { return *static_cast<CGui*>(effect->getEditor()); }
  VSTGUI::offscreen::Driver& driver() { return *offscreenDriver; }
  CAnimKnobKst* knob(int tag) { return dynamic_cast<CAnimKnobKst*>(gui().getControl(tag)); }

 private:
  std::mutex eventsMutex;  // before the effect, which may still call its host while it goes
  std::vector<HostEvent> events;
  std::unique_ptr<CPlug> effect;
  std::unique_ptr<VSTGUI::offscreen::Driver> offscreenDriver;
};

// Every knob row of the layout: tag and parameter.
std::vector<std::pair<int, int>> knobRows();

// Where rendered pictures go (the build's test-output folder).
std::string outputPath(const std::string& name);

}  // namespace sorel::test
