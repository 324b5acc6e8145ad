#include "editor_host.h"

#include <filesystem>
#include <mutex>
#include <utility>

#include "layout.h"

namespace sorel::test {

using namespace VSTGUI;

namespace {

// The effect's host callback: each effect's record carries its EditorHost.
VstIntPtr VSTCALLBACK recordingHost(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
  if (opcode == audioMasterVersion) return kVstVersion;
  auto* host = effect ? static_cast<EditorHost*>(effect->user) : nullptr;
  if (host && (opcode == audioMasterAutomate || opcode == audioMasterBeginEdit || opcode == audioMasterEndEdit))
    host->record({opcode, index, opcode == audioMasterAutomate ? opt : 0.f});
  return 0;
}

}  // namespace

EditorHost::EditorHost() : effect(std::make_unique<CPlug>(recordingHost)) { effect->getAeffect()->user = this; }

EditorHost::~EditorHost() { close(); }

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
  return std::exchange(events, {});
}

void EditorHost::record(const HostEvent& event) {
  std::lock_guard lock(eventsMutex);
  events.push_back(event);
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
