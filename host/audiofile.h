// Audio files through libsndfile: reading any format it knows as float
// frames, and writing float frames in a chosen sample type. Integer output of
// up to 24 bits goes through a Quantiser (dither, rounding, clipping).
#pragma once

#include <sndfile.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "metadata.h"
#include "inputspool.h"
#include "outputformat.h"
#include "quantiser.h"

namespace sorel::host {

// A lossy codec's settings; unset ones keep libsndfile's defaults.
struct Encoding {
  double quality = -1.0;  // 0 (smallest) to 10 (best); negative: unset
  int bitrateMode = -1;   // SF_BITRATE_MODE_*; negative: unset
};

struct AudioFormat {
  int sampleRate = 0;
  int channels = 0;
  int format = 0;  // libsndfile major | subtype
  std::int64_t frames = 0;
};

class AudioReader {
 public:
  // False with *error on failure.
  bool open(const std::string& path, std::string* error);
  ~AudioReader();
  const AudioFormat& format() const { return info; }
  // After reading to the end: the frames the header announced when the file
  // held fewer (a cut file), else 0; *why gets the decoder's complaint, if any.
  std::int64_t shortfall(std::string* why) const;
  std::int64_t framesDone() const { return framesRead; }
  // Tags, broadcast extension and cue points, as read at open.
  const Metadata& metadata() const { return tags; }
  // Reads up to `frames` interleaved frames; returns how many it read.
  std::int64_t read(float* interleaved, std::int64_t frames);

 private:
  InputSpool spool;  // declared before the file: removed after it is closed
  SNDFILE* file = nullptr;
  AudioFormat info;
  std::int64_t announced = 0;
  std::int64_t framesRead = 0;
  Metadata tags;
};

class AudioWriter {
 public:
  // `format` is a full libsndfile format; checks that libsndfile can write it.
  // Messages name `shownName` (the user's file, not a temporary one).
  bool open(const std::string& path, const std::string& shownName, const AudioFormat& format, Dither dither,
            std::string* error);
  ~AudioWriter();
  // Before any audio: writes what the format holds room for; returns the
  // kinds it could not take.
  std::vector<std::string> carry(const Metadata& metadata) { return writeMetadata(file, metadata); }
  // Before any audio: the codec's quality and bitrate mode, where its format
  // takes them; returns notes on what it did not take.
  std::vector<std::string> encode(const Encoding& encoding);
  // Writes interleaved frames; false with *error when the file system refuses.
  bool write(const float* interleaved, std::int64_t frames, std::string* error);
  // Flushes and closes; false with *error on failure.
  bool close(std::string* error);

 private:
  SNDFILE* file = nullptr;
  int channels = 0;
  int fileFormat = 0;
  int bits = 0;  // 8, 16 or 24 for integer types quantised here, else 0
  std::optional<Quantiser> quantiser;
  std::string name;
  std::vector<int> scratch;
};

}  // namespace sorel::host
