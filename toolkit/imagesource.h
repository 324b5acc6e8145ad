// Where bitmaps find their PNG bytes. The toolkit holds no images of its
// own: the application hands it a source before it loads its first bitmap.
#pragma once

#include <cstddef>

namespace VSTGUI {

class IImageSource {
 public:
  virtual ~IImageSource() = default;
  // The PNG bytes of the image `name` (ASCII case ignored), valid for the
  // rest of the process; false when the source has no such image.
  virtual bool findImage(const char* name, const unsigned char*& bytes, std::size_t& size) const = 0;
};

// The source of every later load; null leaves every image missing. The source
// must outlive the process's bitmaps (a static object does).
void setImageSource(const IImageSource* source);
const IImageSource* getImageSource();

// The PNG resources linked into the library's own module (Windows keeps them
// in the module's resource section), or null where the platform has none.
const IImageSource* platformModuleImages();

}  // namespace VSTGUI
