// What a file says about its audio besides the samples: libsndfile's text
// tags (title, artist, album, date, comment, ...), a WAV file's broadcast
// extension and its cue points. Read from the input, written to the output
// where its format holds them.
#pragma once

#include <sndfile.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sorel::host {

struct Metadata {
  std::vector<std::pair<int, std::string>> strings;  // SF_STR_* kind, text
  std::optional<SF_BROADCAST_INFO> broadcast;
  std::optional<SF_CUES> cues;
  bool empty() const { return strings.empty() && !broadcast && !cues; }
};

Metadata readMetadata(SNDFILE* file);
// Writes what `file` holds room for, before any audio; returns the kinds of
// metadata its format could not take ("text tags", "broadcast extension",
// "cue points").
std::vector<std::string> writeMetadata(SNDFILE* file, const Metadata& metadata);

}  // namespace sorel::host
