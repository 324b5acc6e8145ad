// A session's side of LV2 state, for the tests and the fuzz target that
// drive the bundle's DSP binary: a URI map, and one property as a store
// keeps it and a retrieve hands it out.
#pragma once

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <string>
#include <vector>

namespace sorel::test {

inline LV2_URID mapUri(LV2_URID_Map_Handle, const char* uri) {
  static std::vector<std::string> uris;
  for (std::size_t i = 0; i < uris.size(); ++i)
    if (uris[i] == uri) return static_cast<LV2_URID>(i + 1);
  uris.emplace_back(uri);
  return static_cast<LV2_URID>(uris.size());
}

inline LV2_URID_Map uridMap{nullptr, mapUri};
inline const LV2_Feature uridMapFeature{LV2_URID__map, &uridMap};

struct Property {
  std::vector<unsigned char> bytes;
  uint32_t type = 0;
};

inline LV2_State_Status storeProperty(LV2_State_Handle h, uint32_t, const void* value, size_t size, uint32_t type,
                                      uint32_t) {
  auto* p = static_cast<Property*>(h);
  p->bytes.assign(static_cast<const unsigned char*>(value), static_cast<const unsigned char*>(value) + size);
  p->type = type;
  return LV2_STATE_SUCCESS;
}

inline const void* retrieveProperty(LV2_State_Handle h, uint32_t, size_t* size, uint32_t* type, uint32_t* flags) {
  const auto* p = static_cast<const Property*>(h);
  *size = p->bytes.size();
  *type = p->type;
  *flags = LV2_STATE_IS_POD;
  return p->bytes.data();
}

}  // namespace sorel::test
