#include "cbaseobject.h"

#include <cstring>

namespace VSTGUI {

bool CBaseObject::isTypeOf(const char* type) const { return type && std::strcmp(type, "CBaseObject") == 0; }

}  // namespace VSTGUI
