// The host side of the VST 2.4 interface: the callback a plug-in calls
// (audioMaster), answering as a plain offline host does and optionally
// recording every call, and HostedEffect, which owns one loaded effect
// instance and wraps the dispatcher opcodes.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "aeffect.h"
#include "library.h"

namespace sorel::host {

struct HostCall {
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  float opt;
};

class Host {
 public:
  virtual ~Host() = default;
  // [any thread] Answers one audioMaster call from an effect.
  virtual VstIntPtr answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

  // Keeps every call for later inspection (tests); off by default.
  void setRecording(bool on) { recording = on; }
  std::vector<HostCall> calls() const;
  std::vector<HostCall> calls(VstInt32 opcode) const;
  void clearCalls();

 private:
  mutable std::mutex mutex;
  std::vector<HostCall> log;
  bool recording = false;
  VstTimeInfo timeInfo{};
};

class HostedEffect {
 public:
  // Loads one instance through the library's entry point; null on failure.
  static std::unique_ptr<HostedEffect> create(std::shared_ptr<PluginLibrary> library, Host& host, std::string* error);
  ~HostedEffect();  // sends effClose
  HostedEffect(const HostedEffect&) = delete;
  HostedEffect& operator=(const HostedEffect&) = delete;

  AEffect* effect() const { return record; }
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);

  // The usual set-up: open, rate, block size, resume.
  void start(float sampleRate, VstInt32 blockSize);
  void suspend() { dispatch(effMainsChanged, 0, 0); }
  void resume() { dispatch(effMainsChanged, 0, 1); }

  int numParams() const { return record->numParams; }
  void setParameter(VstInt32 index, float value) { record->setParameter(record, index, value); }
  float getParameter(VstInt32 index) { return record->getParameter(record, index); }
  std::string paramName(VstInt32 index);
  std::string paramDisplay(VstInt32 index);
  std::string effectName();
  std::string vendorString();
  std::string programName();
  VstInt32 canDo(const std::string& what);

  std::vector<unsigned char> getChunk(bool preset = false);
  VstIntPtr setChunk(const std::vector<unsigned char>& bytes, bool preset = false);
  VstIntPtr setChunk(const void* data, VstIntPtr size, bool preset = false);

  // One input arrangement of `channels` channels (the output one mirrors it).
  bool setChannels(int channels);

  void processReplacing(float** inputs, float** outputs, VstInt32 frames) {
    record->processReplacing(record, inputs, outputs, frames);
  }

  // Closes now (effClose) and returns its answer; later calls do nothing.
  VstIntPtr close();

 private:
  HostedEffect(std::shared_ptr<PluginLibrary> library, AEffect* record);
  std::string text(VstInt32 opcode, VstInt32 index = 0);

  std::shared_ptr<PluginLibrary> library;
  AEffect* record;
};

}  // namespace sorel::host
