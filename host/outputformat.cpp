#include "outputformat.h"

#include <sndfile.h>

#include <cctype>
#include <filesystem>
#include <iterator>

namespace sorel::host {
namespace {

struct Extension {
  const char* name;
  int major;
  int codec;  // the only encoding the container is written with; 0 when free
};

const Extension kExtensions[] = {
    {"wav", SF_FORMAT_WAV, 0},
    {"wave", SF_FORMAT_WAV, 0},
    {"flac", SF_FORMAT_FLAC, 0},
    {"aif", SF_FORMAT_AIFF, 0},
    {"aiff", SF_FORMAT_AIFF, 0},
    {"aifc", SF_FORMAT_AIFF, 0},
    {"caf", SF_FORMAT_CAF, 0},
    {"w64", SF_FORMAT_W64, 0},
    {"rf64", SF_FORMAT_RF64, 0},
    {"mp3", SF_FORMAT_MPEG, SF_FORMAT_MPEG_LAYER_III},
    {"ogg", SF_FORMAT_OGG, SF_FORMAT_VORBIS},
    {"oga", SF_FORMAT_OGG, SF_FORMAT_VORBIS},
    {"opus", SF_FORMAT_OGG, SF_FORMAT_OPUS},
    {"au", SF_FORMAT_AU, 0},
    {"snd", SF_FORMAT_AU, 0},
    {"raw", SF_FORMAT_RAW, 0},
    {"paf", SF_FORMAT_PAF, 0},
    {"iff", SF_FORMAT_SVX, 0},
    {"svx", SF_FORMAT_SVX, 0},
    {"sph", SF_FORMAT_NIST, 0},
    {"nist", SF_FORMAT_NIST, 0},
    {"voc", SF_FORMAT_VOC, 0},
    {"sf", SF_FORMAT_IRCAM, 0},
    {"ircam", SF_FORMAT_IRCAM, 0},
    {"mat", SF_FORMAT_MAT5, 0},
    {"mat4", SF_FORMAT_MAT4, 0},
    {"mat5", SF_FORMAT_MAT5, 0},
    {"pvf", SF_FORMAT_PVF, 0},
    {"xi", SF_FORMAT_XI, SF_FORMAT_DPCM_16},
    {"htk", SF_FORMAT_HTK, 0},
    {"sds", SF_FORMAT_SDS, 0},
    {"avr", SF_FORMAT_AVR, 0},
    {"mpc", SF_FORMAT_MPC2K, 0},
    {"wve", SF_FORMAT_WVE, SF_FORMAT_ALAW},
};

// Extensions libsndfile knows but sorel-render does not write, and why.
struct Refused {
  const char* name;
  const char* reason;
};
const Refused kRefused[] = {
    {"sd2",
     "Sound Designer II keeps part of a file in a resource fork, which libsndfile writes as a second '._' file that "
     "cannot be renamed into place with it"},
};

// The encoding of each SampleType, in its order; 0 for the input's.
const int kEncodings[] = {0, SF_FORMAT_PCM_16, SF_FORMAT_PCM_24, SF_FORMAT_PCM_32, SF_FORMAT_FLOAT};
static_assert(std::size(kEncodings) == static_cast<std::size_t>(SampleType::kFloat) + 1);

// Encodings that any container taking plain samples can keep.
bool isPlainSamples(int subtype) {
  switch (subtype) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
      return true;
    default:
      return false;
  }
}

bool writable(int format, int channels) {
  SF_INFO probe{};
  probe.samplerate = 48000;
  probe.channels = channels;
  probe.format = format;
  return sf_format_check(&probe) != 0;
}

// "wav, wave, flac, ...": every extension outputFormat knows.
std::string writableExtensions() {
  std::string list;
  for (const Extension& e : kExtensions) list += (list.empty() ? "" : ", ") + std::string(e.name);
  return list;
}

}  // namespace

int outputFormat(const std::string& outputPath, int inputFormat, int channels, SampleType type, std::string* error) {
  std::string ext = std::filesystem::path(outputPath).extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  int major = inputFormat & SF_FORMAT_TYPEMASK;
  int codec = 0;
  if (!ext.empty()) {
    for (const Refused& r : kRefused)
      if (ext.substr(1) == r.name) {
        if (error) *error = "cannot write '" + ext + "' files: " + r.reason;
        return 0;
      }
    const Extension* found = nullptr;
    for (const Extension& e : kExtensions)
      if (ext.substr(1) == e.name) found = &e;
    if (!found) {
      if (error) *error = "cannot write '" + ext + "' files; the output's extension is one of " + writableExtensions();
      return 0;
    }
    major = found->major;
    codec = found->codec;
  }
  const int inputSubtype = inputFormat & SF_FORMAT_SUBMASK;
  int subtype = codec ? codec : kEncodings[static_cast<int>(type)];
  if (!subtype) {
    // The input's encoding where the container holds it (a codec only into
    // its own container); else 24 bits, else 16.
    subtype = isPlainSamples(inputSubtype) || major == (inputFormat & SF_FORMAT_TYPEMASK) ? inputSubtype : 0;
    if (!subtype || !writable(major | subtype, channels)) subtype = SF_FORMAT_PCM_24;
    if (!writable(major | subtype, channels)) subtype = SF_FORMAT_PCM_16;
  }
  if (!writable(major | subtype, channels)) {
    if (error)
      *error = "libsndfile cannot write " + describeFormat(major | subtype) + " with " + std::to_string(channels) +
               (channels == 1 ? " channel" : " channels");
    return 0;
  }
  return major | subtype;
}

std::string extensionFor(int format) {
  const int major = format & SF_FORMAT_TYPEMASK, subtype = format & SF_FORMAT_SUBMASK;
  for (const Extension& e : kExtensions)
    if (e.major == major && (e.codec == 0 || e.codec == subtype)) return e.name;
  return "wav";
}

std::string describeFormat(int format) {
  SF_FORMAT_INFO major{};
  major.format = format & SF_FORMAT_TYPEMASK;
  sf_command(nullptr, SFC_GET_FORMAT_INFO, &major, sizeof major);
  SF_FORMAT_INFO subtype{};
  subtype.format = format & SF_FORMAT_SUBMASK;
  sf_command(nullptr, SFC_GET_FORMAT_INFO, &subtype, sizeof subtype);
  return std::string(major.name ? major.name : "?") + ", " + (subtype.name ? subtype.name : "?");
}

}  // namespace sorel::host
