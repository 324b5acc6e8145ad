// The DSP binary's entry point: one descriptor per variant of the bundle, and
// the state interface that carries the effect's chunk.
#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cmath>
#include <cstring>
#include <new>

#include "effectinstance.h"

namespace sorel::lv2 {
namespace {

const Variant* variantOf(const LV2_Descriptor* descriptor) {
  for (const Variant& v : kVariants)
    if (std::strcmp(descriptor->URI, v.uri) == 0) return &v;
  return nullptr;
}

LV2_Handle instantiate(const LV2_Descriptor* descriptor, double rate, const char*, const LV2_Feature* const* features) {
  const Variant* variant = variantOf(descriptor);
  if (!variant || !(rate > 0.0 && rate < 1.0e9)) return nullptr;
  try {
    // The handle is the instance itself: a UI given instance access takes it so.
    auto* instance = new EffectInstance(*variant, rate);
    for (auto f = features; f && *f; ++f) {
      if (std::strcmp((*f)->URI, LV2_URID__map) != 0 || !(*f)->data) continue;
      const auto* map = static_cast<const LV2_URID_Map*>((*f)->data);
      instance->stateKeys = {map->map(map->handle, kChunkKeyUri), map->map(map->handle, LV2_ATOM__Chunk)};
    }
    return instance;
  } catch (...) {
    return nullptr;
  }
}

EffectInstance& instanceOf(LV2_Handle h) { return *static_cast<EffectInstance*>(h); }

void connectPort(LV2_Handle h, uint32_t port, void* data) { instanceOf(h).connect(port, data); }
void activate(LV2_Handle h) { instanceOf(h).activate(); }
void run(LV2_Handle h, uint32_t frames) { instanceOf(h).run(frames); }
void deactivate(LV2_Handle h) { instanceOf(h).deactivate(); }
void cleanup(LV2_Handle h) { delete static_cast<EffectInstance*>(h); }

LV2_State_Status save(LV2_Handle h, LV2_State_Store_Function store, LV2_State_Handle state, uint32_t,
                      const LV2_Feature* const*) {
  EffectInstance& instance = instanceOf(h);
  if (!instance.stateKeys.property) return LV2_STATE_ERR_NO_FEATURE;
  const void* bytes = nullptr;
  const auto size = static_cast<size_t>(instance.chunk(&bytes));
  return store(state, instance.stateKeys.property, bytes, size, instance.stateKeys.type,
               LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

// Only a whole chunk of this version is taken; anything else leaves the
// effect as it was.
LV2_State_Status restore(LV2_Handle h, LV2_State_Retrieve_Function retrieve, LV2_State_Handle state, uint32_t,
                         const LV2_Feature* const*) {
  EffectInstance& instance = instanceOf(h);
  if (!instance.stateKeys.property) return LV2_STATE_ERR_NO_FEATURE;
  size_t size = 0;
  uint32_t type = 0, flags = 0;
  const void* bytes = retrieve(state, instance.stateKeys.property, &size, &type, &flags);
  if (!bytes) return LV2_STATE_ERR_NO_PROPERTY;
  if (type != instance.stateKeys.type) return LV2_STATE_ERR_BAD_TYPE;
  if (size != kChunkSize) return LV2_STATE_ERR_UNKNOWN;
  return instance.loadChunk(bytes, static_cast<uint32_t>(size)) ? LV2_STATE_SUCCESS : LV2_STATE_ERR_UNKNOWN;
}

const void* extensionData(const char* uri) {
  static const LV2_State_Interface state{save, restore};
  return std::strcmp(uri, LV2_STATE__interface) == 0 ? &state : nullptr;
}

constexpr LV2_Descriptor descriptorOf(const Variant& v) {
  return {v.uri, instantiate, connectPort, activate, run, deactivate, cleanup, extensionData};
}
const LV2_Descriptor kDescriptors[] = {descriptorOf(kVariants[0]), descriptorOf(kVariants[1])};
static_assert(std::size(kDescriptors) == std::size(kVariants));

}  // namespace
}  // namespace sorel::lv2

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
  return index < std::size(sorel::lv2::kDescriptors) ? &sorel::lv2::kDescriptors[index] : nullptr;
}
