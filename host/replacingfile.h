// Writing a file so that it appears whole or not at all: the content goes to a
// hidden temporary name beside the target (so the final rename stays on one
// file system), which replaces the target only on commit. Otherwise the
// temporary file is removed when this object goes, or when the process is
// interrupted (see partialfiles.h).
#pragma once

#include <cstdint>
#include <string>

namespace sorel::host {

class ReplacingFile {
 public:
  explicit ReplacingFile(const std::string& target);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Where to write; unique per process and per object.
  const std::string& temporaryPath() const { return temporary; }
  // Renames the temporary file over the target, which keeps its
  // permissions; false with *error on failure.
  bool commit(std::string* error);

 private:
  std::string target;
  std::string temporary;
  std::uint64_t key = 0;
  bool committed = false;
};

}  // namespace sorel::host
