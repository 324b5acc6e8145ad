#include "audiofile.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace sorel::host {

bool AudioReader::open(const std::string& path, std::string* error) {
  SF_INFO sf{};
  file = sf_open(path.c_str(), SFM_READ, &sf);
  if (!file) {
    if (error) *error = "cannot read " + path + ": " + sf_strerror(nullptr);
    return false;
  }
  info = {sf.samplerate, sf.channels, sf.format, static_cast<std::int64_t>(sf.frames)};
  return true;
}

AudioReader::~AudioReader() {
  if (file) sf_close(file);
}

std::int64_t AudioReader::read(float* interleaved, std::int64_t frames) {
  return static_cast<std::int64_t>(sf_readf_float(file, interleaved, static_cast<sf_count_t>(frames)));
}

bool AudioWriter::open(const std::string& path, const AudioFormat& format, Dither dither, std::string* error) {
  SF_INFO sf{};
  sf.samplerate = format.sampleRate;
  sf.channels = format.channels;
  sf.format = format.format;
  if (!sf_format_check(&sf)) {
    if (error) *error = "libsndfile cannot write " + describeFormat(format.format);
    return false;
  }
  file = sf_open(path.c_str(), SFM_WRITE, &sf);
  if (!file) {
    if (error) *error = "cannot write " + path + ": " + sf_strerror(nullptr);
    return false;
  }
  channels = format.channels;
  const int subtype = format.format & SF_FORMAT_SUBMASK;
  if (dither == Dither::kTriangular) bits = subtype == SF_FORMAT_PCM_16 ? 16 : subtype == SF_FORMAT_PCM_24 ? 24 : 0;
  // Float to integer through libsndfile (no dither): clip rather than wrap.
  sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  return true;
}

AudioWriter::~AudioWriter() {
  if (file) sf_close(file);
}

// Integers go to libsndfile left-aligned in 32 bits, whatever the file's width.
bool AudioWriter::write(const float* interleaved, std::int64_t frames, std::string* error) {
  const std::int64_t samples = frames * channels;
  sf_count_t written;
  if (bits == 0) {
    written = sf_writef_float(file, interleaved, static_cast<sf_count_t>(frames));
  } else {
    scratch.resize(static_cast<std::size_t>(samples));
    const double full = std::ldexp(1.0, bits - 1);  // 32768 for 16 bits
    const long top = std::lround(full) - 1;
    const int shift = 32 - bits;
    // Two uniform values in [0, 1) per sample, each a hash of a running count
    // (no serial chain between samples); their difference is triangular, ±1 LSB.
    std::uint32_t count = noiseCount;
    auto uniform = [&count] {
      std::uint32_t h = count++;
      h ^= h >> 16;
      h *= 0x85EBCA6Bu;
      h ^= h >> 13;
      h *= 0xC2B2AE35u;
      h ^= h >> 16;
      return static_cast<double>(h) * (1.0 / 4294967296.0);
    };
    for (std::int64_t i = 0; i < samples; ++i) {
      const double noise = uniform() - uniform();
      // Round to nearest (the default mode), then clip to the integer range.
      const long q = std::lrint(static_cast<double>(interleaved[i]) * full + noise);
      const long clipped = std::clamp(q, -top - 1, top);
      scratch[static_cast<std::size_t>(i)] = static_cast<int>(static_cast<std::uint32_t>(clipped) << shift);
    }
    noiseCount = count;
    written = sf_writef_int(file, scratch.data(), static_cast<sf_count_t>(frames));
  }
  if (written != frames) {
    if (error) *error = std::string("write failed: ") + sf_strerror(file);
    return false;
  }
  return true;
}

bool AudioWriter::close(std::string* error) {
  if (!file) return true;
  const int status = sf_close(file);
  file = nullptr;
  if (status != 0) {
    if (error) *error = std::string("closing the output failed: ") + sf_error_number(status);
    return false;
  }
  return true;
}

namespace {

int majorFromExtension(const std::string& path) {
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos) return 0;
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == "wav") return SF_FORMAT_WAV;
  if (ext == "flac") return SF_FORMAT_FLAC;
  if (ext == "aif" || ext == "aiff") return SF_FORMAT_AIFF;
  if (ext == "caf") return SF_FORMAT_CAF;
  if (ext == "w64") return SF_FORMAT_W64;
  if (ext == "rf64") return SF_FORMAT_RF64;
  if (ext == "ogg" || ext == "oga") return SF_FORMAT_OGG;
  if (ext == "au" || ext == "snd") return SF_FORMAT_AU;
  return 0;
}

}  // namespace

int outputFormat(const std::string& outputPath, int inputFormat, SampleType type, std::string* error) {
  int major = majorFromExtension(outputPath);
  if (!major) major = inputFormat & SF_FORMAT_TYPEMASK;
  int subtype = inputFormat & SF_FORMAT_SUBMASK;
  switch (type) {
    case SampleType::kPcm16:
      subtype = SF_FORMAT_PCM_16;
      break;
    case SampleType::kPcm24:
      subtype = SF_FORMAT_PCM_24;
      break;
    case SampleType::kPcm32:
      subtype = SF_FORMAT_PCM_32;
      break;
    case SampleType::kFloat:
      subtype = SF_FORMAT_FLOAT;
      break;
    case SampleType::kSameAsInput:
      break;
  }
  if (major == SF_FORMAT_OGG) subtype = SF_FORMAT_VORBIS;
  SF_INFO probe{};
  probe.samplerate = 48000;
  probe.channels = 2;
  probe.format = major | subtype;
  // Keeping the input's sample type into a container that cannot hold it
  // (float into FLAC, an MP3 input into WAV): 24-bit integers instead.
  if (!sf_format_check(&probe) && type == SampleType::kSameAsInput) probe.format = major | SF_FORMAT_PCM_24;
  if (!sf_format_check(&probe)) {
    if (error) *error = "libsndfile cannot write " + describeFormat(major | subtype);
    return 0;
  }
  return probe.format;
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
