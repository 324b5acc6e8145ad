// Audio files through libsndfile: reading any format it knows as float
// frames, and writing float frames in a chosen sample type. Integer output is
// dithered (TPDF, one LSB peak to peak, from a fixed seed so that the same
// input always gives the same bytes) and clipped at full scale.
#pragma once

#include <sndfile.h>

#include <cstdint>
#include <string>
#include <vector>

namespace sorel::host {

enum class SampleType { kSameAsInput, kPcm16, kPcm24, kPcm32, kFloat };
enum class Dither { kTriangular, kNone };

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
  // Reads up to `frames` interleaved frames; returns how many it read.
  std::int64_t read(float* interleaved, std::int64_t frames);

 private:
  SNDFILE* file = nullptr;
  AudioFormat info;
};

class AudioWriter {
 public:
  // `format` is a full libsndfile format; checks that libsndfile can write it.
  bool open(const std::string& path, const AudioFormat& format, Dither dither, std::string* error);
  ~AudioWriter();
  // Writes interleaved frames; false with *error when the file system refuses.
  bool write(const float* interleaved, std::int64_t frames, std::string* error);
  // Flushes and closes; false with *error on failure.
  bool close(std::string* error);

 private:
  SNDFILE* file = nullptr;
  int channels = 0;
  int bits = 0;                  // 16 or 24 when dithering to an integer type, else 0
  std::uint32_t noiseCount = 0;  // the dither is the same sequence on every run
  std::vector<int> scratch;
};

// The libsndfile format for an output: the major format from the output
// file's extension (or the input's when the extension says nothing), the
// subtype from `type` (or the input's). 0 with *error when impossible.
int outputFormat(const std::string& outputPath, int inputFormat, SampleType type, std::string* error);

// "WAV 24-bit", for messages and reports.
std::string describeFormat(int format);

}  // namespace sorel::host
