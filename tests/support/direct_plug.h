// A CPlug built directly (no library loading), with a host callback that
// answers the version and an editor link that records what the editor hears.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "plug.h"

namespace sorel::test {

inline VstIntPtr VSTCALLBACK quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? kVstVersion : 0;
}

struct Notice {
  VstInt32 index;
  float value;
  bool operator==(const Notice&) const = default;
};

class RecordingEditor : public IEditorLink {
 public:
  void setParameter(VstInt32 index, float value) override {
    std::lock_guard lock(mutex);
    notices.push_back({index, value});
  }
  std::vector<Notice> take() {
    std::lock_guard lock(mutex);
    return std::exchange(notices, {});
  }
  std::vector<Notice> take(VstInt32 index) {
    std::vector<Notice> out;
    for (const Notice& n : take())
      if (n.index == index) out.push_back(n);
    return out;
  }

 private:
  std::mutex mutex;
  std::vector<Notice> notices;
};

inline std::unique_ptr<CPlug> makePlug(IEditorLink* editor = nullptr) {
  auto plug = std::make_unique<CPlug>(quietHost);
  plug->setEditorLink(editor);
  return plug;
}

// Runs one stereo block in place.
inline void runBlock(CPlug& plug, std::vector<float>& left, std::vector<float>& right) {
  float* io[2] = {left.data(), right.data()};
  plug.processReplacing(io, io, static_cast<VstInt32>(left.size()));
}

}  // namespace sorel::test
