#include "skinsource.h"

#ifndef _WIN32
#include "embedded.h"
#endif

namespace sorel {

#ifdef _WIN32

const VSTGUI::IImageSource* skinImageSource() { return VSTGUI::platformModuleImages(); }

#else

namespace {

class EmbeddedSkin : public VSTGUI::IImageSource {
 public:
  bool findImage(const char* name, const unsigned char*& bytes, std::size_t& size) const override {
    const resources::EmbeddedFile* file = resources::find(name);
    if (!file) return false;
    bytes = file->bytes;
    size = file->size;
    return true;
  }
};

}  // namespace

const VSTGUI::IImageSource* skinImageSource() {
  static const EmbeddedSkin skin;
  return &skin;
}

#endif

}  // namespace sorel
