#include "editor_host.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <utility>

#include "layout.h"

namespace sorel::test {

using namespace VSTGUI;

namespace {
std::mutex eventsMutex;
std::map<AEffect*, std::vector<HostEvent>>& allEvents() {
  static std::map<AEffect*, std::vector<HostEvent>> events;
  return events;
}
}  // namespace

VstIntPtr VSTCALLBACK recordingHost(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
  if (opcode == audioMasterVersion) return kVstVersion;
  if (opcode == audioMasterAutomate || opcode == audioMasterBeginEdit || opcode == audioMasterEndEdit) {
    std::lock_guard lock(eventsMutex);
    allEvents()[effect].push_back({opcode, index, opcode == audioMasterAutomate ? opt : 0.f});
  }
  return 0;
}

EditorHost::EditorHost() : effect(std::make_unique<CPlug>(recordingHost)) {}

EditorHost::~EditorHost() {
  close();
  std::lock_guard lock(eventsMutex);
  allEvents().erase(effect->getAeffect());
}

bool EditorHost::open() {
  if (!dispatch(effEditOpen)) return false;
  offscreenDriver = std::make_unique<offscreen::Driver>(gui().getFrame());
  idle();
  return true;
}

void EditorHost::close() {
  if (!offscreenDriver) return;
  offscreenDriver.reset();
  dispatch(effEditClose);
}

void EditorHost::idle() { dispatch(effEditIdle); }

VstIntPtr EditorHost::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  AEffect* record = effect->getAeffect();
  return record->dispatcher(record, opcode, index, value, ptr, opt);
}

std::vector<HostEvent> EditorHost::takeHostEvents() {
  std::lock_guard lock(eventsMutex);
  return std::exchange(allEvents()[effect->getAeffect()], {});
}

std::vector<std::pair<int, int>> knobRows() {
  std::vector<std::pair<int, int>> rows;
  for (int tag = 0; tag < kNumTags; ++tag) {
    if (kLayout[tag].type == kTypeKnob) rows.emplace_back(tag, kLayout[tag].parameter);
  }
  return rows;
}

std::string outputPath(const std::string& name) {
  std::filesystem::create_directories(SOREL_TEST_OUTPUT);
  return std::string(SOREL_TEST_OUTPUT) + "/" + name;
}

}  // namespace sorel::test
