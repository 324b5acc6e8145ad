// Standard input as input: libsndfile decodes some formats only from a file
// it can seek in (FLAC and Ogg lose their place in a stream), so standard
// input ("-") that is a pipe or socket is first copied to a temporary file in
// $TMPDIR, removed when the spool goes (or on interruption). Anything else is
// read where it is: a named pipe streams (WAV, AU and raw do; FLAC and Ogg
// cannot).
#pragma once

#include <optional>
#include <string>

#include "replacingfile.h"

namespace sorel::host {

class InputSpool {
 public:
  // False with *error when the pipe cannot be copied.
  bool prepare(const std::string& path, std::string* error);
  // The path to open: the copy, or `path` itself.
  const std::string& readPath() const { return copy ? copy->temporaryPath() : original; }

 private:
  std::string original;
  std::optional<ReplacingFile> copy;  // never committed: removed at the end
};

}  // namespace sorel::host
