// Where an output file goes, decided once before writing:
// - a new or regular file is written under a temporary name and renamed over
//   it at the end (ReplacingFile), so it appears whole or not at all;
// - a device or a pipe (/dev/null, a fifo, a terminal) is written in place,
//   streaming: it is never replaced, and a format that must seek back to
//   finish its header cannot go there;
// - a symbolic link is written through: its target is replaced (or streamed
//   to) and the link stays. A link to nothing is refused.
// A folder, "-" (standard output) and an empty name are refused.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "replacingfile.h"

namespace sorel::host {

class OutputTarget {
 public:
  // Null with *error when the path cannot be an output.
  static std::unique_ptr<OutputTarget> create(const std::string& path, std::string* error);

  // The path to open for writing.
  const std::string& writePath() const { return replacing ? replacing->temporaryPath() : path; }
  // True for a device or a pipe written in place.
  bool streaming() const { return !replacing; }
  // Puts a regular file into place; nothing to do when streaming.
  bool commit(std::string* error) { return replacing ? replacing->commit(error) : true; }

 private:
  explicit OutputTarget(std::string where) : path(std::move(where)) {}
  std::string path;
  std::optional<ReplacingFile> replacing;
};

// The file a path finally names: itself, or what its symbolic links lead to
// (for telling two outputs apart). The path itself when nothing exists there.
std::string finalPath(const std::string& path);

}  // namespace sorel::host
