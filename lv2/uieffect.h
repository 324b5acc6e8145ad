// The effect as the LV2 UI hosts it: a CPlug whose audio never runs, so the
// editor finds every rule it knows (range switches lowering a volume, compare
// stores, set transfers) in the object it talks to. What the editor changes
// goes to the host as port writes; what the host sends comes back as values
// applied the way a loaded program applies them (nothing re-derived).
#pragma once

#include <lv2/ui/ui.h>

#include <cstdint>

#include "bundle.h"
#include "plug.h"

namespace sorel::lv2 {

class EffectInstance;

// What the host gave the UI; touch (gestures) and resize are optional.
struct HostLink {
  LV2UI_Write_Function write = nullptr;
  LV2UI_Controller controller = nullptr;
  const LV2UI_Touch* touch = nullptr;
  const LV2UI_Resize* resize = nullptr;
};

class UiEffect : public CPlug {
 public:
  // `dsp` is the running instance when the host offers instance access: the
  // compare stores then come from it and captures go to it. Without it the
  // editor's stores are its own.
  UiEffect(const Variant& variant, const HostLink& link, EffectInstance* dsp);

  // [ui] A port value from the host.
  void portEvent(std::uint32_t port, float value);
  // [ui] Writes every value the editor changed since the host last knew it.
  void syncToHost();

  void setParameterDirect(VstInt32 index, float value) override;

 private:
  static VstIntPtr VSTCALLBACK answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                      float opt);
  void applyAsLoaded(int index, float value);

  HostLink host;
  EffectInstance* dsp;
  float hostKnown[kNumParams];
};

}  // namespace sorel::lv2
