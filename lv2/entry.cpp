// The DSP binary's entry point: one descriptor per variant of the bundle, and
// the state interface that carries the effect's chunk.
#include <cmath>
#include <cstring>
#include <new>
#include <type_traits>

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include "effectinstance.h"

namespace sorel::lv2 {
namespace {

// The instance and the two URIDs its state needs; without a URID map the
// instance runs but has no state to give or take. The instance comes first:
// a UI given instance access takes the handle as the instance.
struct Handle {
  EffectInstance instance;
  LV2_URID chunkKey = 0;
  LV2_URID chunkType = 0;
};
static_assert(std::is_standard_layout_v<Handle>);

const Variant* variantOf(const LV2_Descriptor* descriptor) {
  for (const Variant& v : kVariants)
    if (std::strcmp(descriptor->URI, v.uri) == 0) return &v;
  return nullptr;
}

LV2_Handle instantiate(const LV2_Descriptor* descriptor, double rate, const char*, const LV2_Feature* const* features) {
  const Variant* variant = variantOf(descriptor);
  if (!variant || !(rate > 0.0 && rate < 1.0e9)) return nullptr;
  try {
    auto* handle = new Handle{EffectInstance(*variant, rate)};
    for (auto f = features; f && *f; ++f) {
      if (std::strcmp((*f)->URI, LV2_URID__map) != 0 || !(*f)->data) continue;
      const auto* map = static_cast<const LV2_URID_Map*>((*f)->data);
      handle->chunkKey = map->map(map->handle, kChunkKeyUri);
      handle->chunkType = map->map(map->handle, LV2_ATOM__Chunk);
    }
    return handle;
  } catch (...) {
    return nullptr;
  }
}

EffectInstance& instanceOf(LV2_Handle h) { return static_cast<Handle*>(h)->instance; }

void connectPort(LV2_Handle h, uint32_t port, void* data) { instanceOf(h).connect(port, data); }
void activate(LV2_Handle h) { instanceOf(h).activate(); }
void run(LV2_Handle h, uint32_t frames) { instanceOf(h).run(frames); }
void deactivate(LV2_Handle h) { instanceOf(h).deactivate(); }
void cleanup(LV2_Handle h) { delete static_cast<Handle*>(h); }

LV2_State_Status save(LV2_Handle h, LV2_State_Store_Function store, LV2_State_Handle state, uint32_t,
                      const LV2_Feature* const*) {
  auto* handle = static_cast<Handle*>(h);
  if (!handle->chunkKey) return LV2_STATE_ERR_NO_FEATURE;
  const void* bytes = nullptr;
  const auto size = static_cast<size_t>(handle->instance.chunk(&bytes));
  return store(state, handle->chunkKey, bytes, size, handle->chunkType, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

// Only a whole chunk of this version is taken; anything else leaves the
// effect as it was.
LV2_State_Status restore(LV2_Handle h, LV2_State_Retrieve_Function retrieve, LV2_State_Handle state, uint32_t,
                         const LV2_Feature* const*) {
  auto* handle = static_cast<Handle*>(h);
  if (!handle->chunkKey) return LV2_STATE_ERR_NO_FEATURE;
  size_t size = 0;
  uint32_t type = 0, flags = 0;
  const void* bytes = retrieve(state, handle->chunkKey, &size, &type, &flags);
  if (!bytes) return LV2_STATE_ERR_NO_PROPERTY;
  if (type != handle->chunkType) return LV2_STATE_ERR_BAD_TYPE;
  if (size != kChunkSize) return LV2_STATE_ERR_UNKNOWN;
  return handle->instance.loadChunk(bytes, static_cast<uint32_t>(size)) ? LV2_STATE_SUCCESS : LV2_STATE_ERR_UNKNOWN;
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

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
  return index < std::size(sorel::lv2::kDescriptors) ? &sorel::lv2::kDescriptors[index] : nullptr;
}
