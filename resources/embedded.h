// Files compiled into the plug-in library at build time: the skin's PNG
// images, looked up by name without regard to case.
#pragma once

#include <cstddef>

namespace sorel::resources {

struct EmbeddedFile {
  const char* name;
  const unsigned char* bytes;
  std::size_t size;
};

// The file of that name (ASCII case ignored), or null.
const EmbeddedFile* find(const char* name);

// Every embedded file, in generation order.
const EmbeddedFile* begin();
const EmbeddedFile* end();

}  // namespace sorel::resources
