#include "metadata.h"

namespace sorel::host {
namespace {

// The tags carried over; the software tag names what made the input, which
// this output is not.
constexpr int kCarriedStrings[] = {SF_STR_TITLE,   SF_STR_COPYRIGHT, SF_STR_ARTIST,      SF_STR_COMMENT, SF_STR_DATE,
                                   SF_STR_ALBUM,   SF_STR_LICENSE,   SF_STR_TRACKNUMBER, SF_STR_GENRE};

}  // namespace

Metadata readMetadata(SNDFILE* file) {
  Metadata m;
  for (const int kind : kCarriedStrings)
    if (const char* text = sf_get_string(file, kind); text && *text) m.strings.emplace_back(kind, text);
  SF_BROADCAST_INFO broadcast{};
  if (sf_command(file, SFC_GET_BROADCAST_INFO, &broadcast, sizeof broadcast) == SF_TRUE) m.broadcast = broadcast;
  int cueCount = 0;
  if (sf_command(file, SFC_GET_CUE_COUNT, &cueCount, sizeof cueCount) == SF_TRUE && cueCount > 0) {
    SF_CUES cues{};
    if (sf_command(file, SFC_GET_CUE, &cues, sizeof cues) == SF_TRUE) m.cues = cues;
  }
  return m;
}

std::vector<std::string> writeMetadata(SNDFILE* file, const Metadata& m) {
  std::vector<std::string> dropped;
  bool stringsKept = true;
  for (const auto& [kind, text] : m.strings) stringsKept &= sf_set_string(file, kind, text.c_str()) == 0;
  if (!stringsKept) dropped.push_back("text tags");
  if (m.broadcast) {
    SF_BROADCAST_INFO broadcast = *m.broadcast;
    if (sf_command(file, SFC_SET_BROADCAST_INFO, &broadcast, sizeof broadcast) != SF_TRUE)
      dropped.push_back("broadcast extension");
  }
  if (m.cues) {
    SF_CUES cues = *m.cues;
    if (sf_command(file, SFC_SET_CUE, &cues, sizeof cues) != SF_TRUE) dropped.push_back("cue points");
  }
  return dropped;
}

}  // namespace sorel::host
