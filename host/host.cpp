#include "host.h"

#include <cstring>

namespace sorel::host {
namespace {

// During the entry-point call the effect record does not exist yet (or has no
// user field set), so calls are routed to the host that is creating it.
thread_local Host* hostBeingAsked = nullptr;

VstIntPtr VSTCALLBACK hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) {
  Host* host = effect && effect->user ? static_cast<Host*>(effect->user) : hostBeingAsked;
  return host ? host->answer(effect, opcode, index, value, ptr, opt) : 0;
}

void copyOut(void* ptr, const char* text) {
  if (ptr) std::memcpy(ptr, text, std::strlen(text) + 1);
}

}  // namespace

VstIntPtr Host::answer(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  {
    std::lock_guard lock(mutex);
    if (recording) log.push_back({opcode, index, value, opt});
  }
  switch (opcode) {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterGetTime:
      return reinterpret_cast<VstIntPtr>(&timeInfo);
    case audioMasterGetVendorString:
      copyOut(ptr, "Sorel project");
      return 1;
    case audioMasterGetProductString:
      copyOut(ptr, "sorel host");
      return 1;
    case audioMasterGetVendorVersion:
      return 1;
    case audioMasterCanDo:
      return 0;  // an offline host: no window sizing, no extras
    default:
      return 0;
  }
}

std::vector<HostCall> Host::calls() const {
  std::lock_guard lock(mutex);
  return log;
}

std::vector<HostCall> Host::calls(VstInt32 opcode) const {
  std::lock_guard lock(mutex);
  std::vector<HostCall> out;
  for (const HostCall& call : log)
    if (call.opcode == opcode) out.push_back(call);
  return out;
}

void Host::clearCalls() {
  std::lock_guard lock(mutex);
  log.clear();
}

std::unique_ptr<HostedEffect> HostedEffect::create(std::shared_ptr<PluginLibrary> library, Host& host,
                                                   std::string* error) {
  hostBeingAsked = &host;
  AEffect* record = library->entryPoint()(hostCallback);
  hostBeingAsked = nullptr;
  if (!record) {
    if (error) *error = library->path() + ": the entry point returned no effect";
    return nullptr;
  }
  if (record->magic != kEffectMagic) {
    if (error) *error = library->path() + ": the effect record has the wrong magic number";
    return nullptr;
  }
  record->user = &host;
  return std::unique_ptr<HostedEffect>(new HostedEffect(std::move(library), record));
}

HostedEffect::HostedEffect(std::shared_ptr<PluginLibrary> lib, AEffect* r) : library(std::move(lib)), record(r) {}

HostedEffect::~HostedEffect() { close(); }

VstIntPtr HostedEffect::close() {
  if (!record) return 0;
  const VstIntPtr answer = record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
  record = nullptr;
  return answer;
}

VstIntPtr HostedEffect::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return record ? record->dispatcher(record, opcode, index, value, ptr, opt) : 0;
}

void HostedEffect::start(float sampleRate, VstInt32 blockSize) {
  dispatch(effOpen);
  dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
  dispatch(effSetBlockSize, 0, blockSize);
  resume();
}

std::string HostedEffect::text(VstInt32 opcode, VstInt32 index) {
  char buffer[256] = {};  // hosts give plenty of room; the interface's limits are smaller
  dispatch(opcode, index, 0, buffer);
  buffer[sizeof buffer - 1] = 0;
  return buffer;
}

std::string HostedEffect::paramName(VstInt32 index) { return text(effGetParamName, index); }
std::string HostedEffect::paramDisplay(VstInt32 index) { return text(effGetParamDisplay, index); }
std::string HostedEffect::effectName() { return text(effGetEffectName); }
std::string HostedEffect::vendorString() { return text(effGetVendorString); }
std::string HostedEffect::programName() { return text(effGetProgramName); }

VstInt32 HostedEffect::canDo(const std::string& what) {
  return static_cast<VstInt32>(dispatch(effCanDo, 0, 0, const_cast<char*>(what.c_str())));
}

std::vector<unsigned char> HostedEffect::getChunk(bool preset) {
  void* data = nullptr;
  const VstIntPtr size = dispatch(effGetChunk, preset ? 1 : 0, 0, &data);
  if (size <= 0 || !data) return {};
  const auto* bytes = static_cast<const unsigned char*>(data);
  return std::vector<unsigned char>(bytes, bytes + size);
}

VstIntPtr HostedEffect::setChunk(const std::vector<unsigned char>& bytes, bool preset) {
  return setChunk(bytes.data(), static_cast<VstIntPtr>(bytes.size()), preset);
}

VstIntPtr HostedEffect::setChunk(const void* data, VstIntPtr size, bool preset) {
  return dispatch(effSetChunk, preset ? 1 : 0, size, const_cast<void*>(data));
}

bool HostedEffect::setChannels(int channels) {
  VstSpeakerArrangement input{};
  VstSpeakerArrangement output{};
  input.numChannels = output.numChannels = channels;
  input.type = output.type = channels == 1 ? kSpeakerArrMono : kSpeakerArrStereo;
  return dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output) == 1;
}

}  // namespace sorel::host
