// The preset files hosts exchange for VST 2.4 plug-ins, in their opaque-chunk
// form only: a program (.fxp, one chunk) or a bank (.fxb, one chunk for the
// whole bank). Headers are big-endian; the chunk itself is the plug-in's own.
//
//   program (60-byte header)           bank (160-byte header)
//    0 'CcnK'                           0 'CcnK'
//    4 byte size = file size - 8        4 byte size = file size - 8
//    8 'FPCh'                           8 'FBCh'
//   12 format version (1)              12 format version (2; 1 is read too)
//   16 plug-in unique ID               16 plug-in unique ID
//   20 plug-in version                 20 plug-in version
//   24 number of parameters            24 number of programs
//   28 program name, 28 bytes          28 current program (version 2), then zeros to 156
//   56 chunk size                     156 chunk size
//   60 chunk                          160 chunk
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "aeffect.h"

namespace sorel::host {

enum class PresetKind { kProgram, kBank };  // .fxp, .fxb

struct Preset {
  PresetKind kind = PresetKind::kProgram;
  VstInt32 uniqueID = 0;
  VstInt32 pluginVersion = 0;
  VstInt32 count = 0;           // numParams for a program, numPrograms for a bank
  VstInt32 currentProgram = 0;  // bank format 2 only
  std::string programName;      // program only; at most 27 bytes are kept
  std::vector<unsigned char> chunk;

  friend bool operator==(const Preset&, const Preset&) = default;
};

// The largest preset file readPresetFile accepts.
constexpr std::size_t kMaxPresetFileSize = std::size_t{64} << 20;

// The file image. A program name is cut to its first 27 bytes (the field keeps a
// terminating NUL); a bank is written in format 2. Throws std::length_error if
// the chunk is too large for the header's 32-bit sizes.
std::vector<unsigned char> encodePreset(const Preset& preset);

// Parses a whole file image. Never reads outside [data, data + size). On any
// malformation returns false and sets *error (if given) to one sentence saying
// what is wrong; `out` is then left unchanged.
bool decodePreset(const unsigned char* data, std::size_t size, Preset& out, std::string* error);

// Reads and decodes a whole file, refusing files above kMaxPresetFileSize.
bool readPresetFile(const std::string& path, Preset& out, std::string* error);
// Writes under a temporary name in the same folder, then renames it over
// `path`: on failure `path` is untouched and no partial file is left behind.
bool writePresetFile(const std::string& path, const Preset& preset, std::string* error);

// The kind a path asks for by its extension (.fxp / .fxb, any case); false for
// anything else.
bool presetKindFromPath(const std::string& path, PresetKind& kind);

// A unique ID as its four characters ("SORL") when all are printable ASCII,
// otherwise as hex ("0x0000162E"), for messages.
std::string fourCharacters(VstInt32 id);

}  // namespace sorel::host
