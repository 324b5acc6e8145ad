#include "embedded.h"

namespace sorel::resources {

namespace detail {
// Written by sorel-embed at build time.
extern const EmbeddedFile kFiles[];
extern const std::size_t kFileCount;
}  // namespace detail

namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b)
    if (lowerAscii(*a) != lowerAscii(*b)) return false;
  return *a == *b;
}

}  // namespace

const EmbeddedFile* find(const char* name) {
  if (name == nullptr) return nullptr;
  for (const EmbeddedFile* f = begin(); f != end(); ++f)
    if (sameName(f->name, name)) return f;
  return nullptr;
}

const EmbeddedFile* begin() { return detail::kFiles; }
const EmbeddedFile* end() { return detail::kFiles + detail::kFileCount; }

}  // namespace sorel::resources
