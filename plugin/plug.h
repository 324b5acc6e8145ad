// CPlug: the Sorel effect. Owns the parameter state, the single program, the
// three compare stores, the chunk buffer and the audio engine.
#pragma once

#include <array>
#include <atomic>
#include <memory>

#include "audioeffectx.h"
#include "chunk.h"
#include "editorlink.h"
#include "engine.h"
#include "params.h"
#include "program.h"
#include "version.h"

namespace sorel {

// The effect's own data beside the VST base: the current values and the
// program storage.
struct CPlugBase {
  // Written and read by hosts on any thread, so each value is one atomic word.
  // Every derived setting (range flags, gains, coefficients) is computed from
  // these where it is used, never kept beside them.
  std::atomic<float> values[kNumParams];
  // The programs' values as last applied; the current program's values live
  // in `values` and are copied back when another program is applied.
  std::unique_ptr<ProgramRecord[]> programs;
};

class CPlug : public AudioEffectX, public CPlugBase, public IEffectLink {
 public:
  static constexpr int kNumPrograms = 1;
  static constexpr int kNumCompareStores = 3;

  explicit CPlug(audioMasterCallback master);
  ~CPlug() override = default;

  // --- Parameters [any thread] ---
  void setParameter(VstInt32 index, float value) override;
  float getParameter(VstInt32 index) override;
  void getParameterName(VstInt32 index, char* text) override;
  void getParameterLabel(VstInt32 index, char* label) override;
  void getParameterDisplay(VstInt32 index, char* text) override;
  // For the editor: set without telling the host, and read back.
  void setParameterDirect(VstInt32 index, float value) override { setParameter(index, value); }
  float getParameterDirect(VstInt32 index) override { return getParameter(index); }
  void getParameterText(VstInt32 index, char* text) override { getParameterDisplay(index, text); }

  // --- Programs, compare stores, chunk [ui] ---
  void setProgram(VstInt32 program) override;
  void setProgramName(char* name) override;
  void getProgramName(char* name) override;
  bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
  VstInt32 getChunk(void** data, bool isPreset) override;
  VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;

  // --- Audio and lifecycle ---
  void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;  // [audio]
  void setSampleRate(float rate) override;                                                 // [suspended]
  void setBlockSize(VstInt32 size) override;                                               // [suspended]
  void resume() override;                                                                  // [suspended]
  bool setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output) override;
  VstInt32 getChannelCount() const { return channelCount; }

  // --- Identity and capabilities ---
  VstInt32 processEvents(VstEvents* events) override;
  VstInt32 canDo(const char* text) override;
  bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
  bool getEffectName(char* name) override;
  bool getVendorString(char* text) override;
  bool getProductString(char* text) override;
  VstInt32 getVendorVersion() override { return kVendorVersion; }
  VstIntPtr vendorSpecific(VstInt32, VstIntPtr, void*, float) override { return 1; }
  VstInt32 getNumMidiInputChannels() override { return 16; }

  // The editor registers here to hear of changes; null detaches it.
  void setEditorLink(IEditorLink* link) { editorLink = link; }
  CEngine& getEngine() { return engine; }

 private:
  // How a change arrives: from outside, or as part of applying a program, a
  // compare store or a chunk (then the compare selector recalls nothing and
  // the range switches lower nothing).
  enum class Origin { kOutside, kApplying };
  void change(VstInt32 index, float value, Origin origin);
  bool applyBeforeStoring(VstInt32 index, float value, Origin origin);
  void applyAfterStoring(VstInt32 index, float value, Origin origin);
  void lowerForWideRange(float rangeValue, VstInt32 volumeIndex, Origin origin);
  void publishFrame();
  bool isWide(VstInt32 rangeIndex) const { return switchIsOn(currentValue(rangeIndex)); }
  void convertSets(Conversion mode);
  void captureCompareStore(int k);
  void recallCompareStore(int k);
  float currentValue(int index) const { return values[index].load(std::memory_order_relaxed); }

  CEngine engine;
  std::array<ProgramRecord, kNumCompareStores> stores;
  std::array<unsigned char, kChunkSize> chunkBuffer{};
  VstInt32 channelCount = 2;
  IEditorLink* editorLink = nullptr;
};

}  // namespace sorel
