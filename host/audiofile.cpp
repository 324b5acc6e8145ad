#include "audiofile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace sorel::host {
namespace {

// Bytes per sample of the plain encodings; 0 for the others.
int sampleBytes(int format) {
  switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW:
      return 1;
    case SF_FORMAT_PCM_16:
      return 2;
    case SF_FORMAT_PCM_24:
      return 3;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
      return 4;
    case SF_FORMAT_DOUBLE:
      return 8;
    default:
      return 0;
  }
}

// libsndfile reads a cut WAV or AIFF file without complaint, trimmed to what
// is there, and notes the header's claim in its log: "data : 192000 (should
// be 99956)" for WAV, the frame count of AIFF's COMM chunk. The claim in
// frames; 0 when the log notes no shortfall.
std::int64_t announcedInHeader(SNDFILE* file, const AudioFormat& info) {
  char log[4096] = {};
  sf_command(file, SFC_GET_LOG_INFO, log, sizeof log);
  const int frameBytes = sampleBytes(info.format) * info.channels;
  for (const char* line = log; *line;) {
    long long claimed = 0, actual = 0;
    if (std::sscanf(line, "data : %lld (should be %lld)", &claimed, &actual) == 2 && claimed > actual &&
        actual >= 0) {
      if (frameBytes > 0) return claimed / frameBytes;
      if (info.frames > 0 && actual > 0)
        return static_cast<std::int64_t>(static_cast<double>(info.frames) * static_cast<double>(claimed) /
                                         static_cast<double>(actual));
    }
    if (std::sscanf(line, "*** Frame count read from 'COMM' chunk (%lld)", &claimed) == 1 && claimed > info.frames)
      return claimed;
    const char* next = std::strchr(line, '\n');
    if (!next) break;
    line = next + 1;
  }
  return 0;
}

}  // namespace

bool AudioReader::open(const std::string& path, std::string* error) {
  // libsndfile opens a folder and then finds no format in it.
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) {
    if (error) *error = "cannot read " + path + ": it is a folder, not an audio file";
    return false;
  }
  if (!spool.prepare(path, error)) return false;
  SF_INFO sf{};
  file = sf_open(spool.readPath().c_str(), SFM_READ, &sf);
  if (!file) {
    if (error) *error = "cannot read " + path + ": " + sf_strerror(nullptr);
    return false;
  }
  info = {sf.samplerate, sf.channels, sf.format, static_cast<std::int64_t>(sf.frames)};
  announced = announcedInHeader(file, info);
  tags = readMetadata(file);
  return true;
}

AudioReader::~AudioReader() {
  if (file) sf_close(file);
}

std::int64_t AudioReader::read(float* interleaved, std::int64_t frames) {
  const auto got = static_cast<std::int64_t>(sf_readf_float(file, interleaved, static_cast<sf_count_t>(frames)));
  if (got > 0) framesRead += got;
  return got;
}

std::int64_t AudioReader::shortfall(std::string* why) const {
  // A stream of unknown length (a pipe) announces nothing.
  const bool known = info.frames > 0 && info.frames < SF_COUNT_MAX / 2;
  const std::int64_t claimed = std::max(announced, known ? info.frames : 0);
  if (claimed <= framesRead) return 0;
  if (why) *why = sf_error(file) ? sf_strerror(file) : "";
  return claimed;
}

bool AudioWriter::open(const std::string& path, const std::string& shownName, const AudioFormat& format, Dither dither,
                       std::string* error) {
  name = shownName;
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
    if (error) *error = "cannot write " + shownName + ": " + sf_strerror(nullptr);
    return false;
  }
  channels = format.channels;
  fileFormat = format.format;
  const int subtype = format.format & SF_FORMAT_SUBMASK;
  bits = subtype == SF_FORMAT_PCM_16                                  ? 16
         : subtype == SF_FORMAT_PCM_24                                ? 24
         : subtype == SF_FORMAT_PCM_S8 || subtype == SF_FORMAT_PCM_U8 ? 8
                                                                      : 0;
  if (bits) quantiser.emplace(bits, channels, dither);
  // Float to integer through libsndfile (no dither): clip rather than wrap.
  sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  // A float WAV's PEAK chunk carries the time it was written: without it the
  // same render gives the same bytes.
  sf_command(file, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
  return true;
}

AudioWriter::~AudioWriter() {
  if (file) sf_close(file);
}

std::vector<std::string> AudioWriter::encode(const Encoding& encoding) {
  std::vector<std::string> notes;
  const int subtype = fileFormat & SF_FORMAT_SUBMASK;
  const bool lossy = subtype == SF_FORMAT_MPEG_LAYER_III || subtype == SF_FORMAT_VORBIS || subtype == SF_FORMAT_OPUS;
  if (encoding.quality >= 0.0) {
    // libsndfile's compression level: 0 is the best quality, 1 the smallest file.
    double level = 1.0 - encoding.quality / 10.0;
    if (!lossy || sf_command(file, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level) != SF_TRUE)
      notes.push_back(describeFormat(fileFormat) + " is not a lossy codec; --quality changes nothing");
  }
  // The bitrate mode after the level: libsndfile's MPEG encoder applies the
  // level it holds when the mode is set (and answers false when it holds
  // none, though the mode takes effect). Its Vorbis and Opus encoders take no
  // mode.
  if (encoding.bitrateMode >= 0) {
    int mode = encoding.bitrateMode;
    if (subtype == SF_FORMAT_MPEG_LAYER_III)
      sf_command(file, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
    else
      notes.push_back(describeFormat(fileFormat) + " has no bitrate mode; --bitrate-mode changes nothing");
  }
  return notes;
}

// Integers go to libsndfile left-aligned in 32 bits, whatever the file's width.
bool AudioWriter::write(const float* interleaved, std::int64_t frames, std::string* error) {
  const std::int64_t samples = frames * channels;
  sf_count_t written;
  if (bits == 0) {
    written = sf_writef_float(file, interleaved, static_cast<sf_count_t>(frames));
  } else {
    scratch.resize(static_cast<std::size_t>(samples));
    quantiser->quantise(interleaved, frames, scratch.data());
    written = sf_writef_int(file, scratch.data(), static_cast<sf_count_t>(frames));
  }
  if (written != frames) {
    if (error) *error = "cannot write " + name + ": " + sf_strerror(file);
    return false;
  }
  return true;
}

bool AudioWriter::close(std::string* error) {
  if (!file) return true;
  const int status = sf_close(file);
  file = nullptr;
  if (status != 0) {
    if (error) *error = "cannot finish " + name + ": " + sf_error_number(status);
    return false;
  }
  return true;
}

}  // namespace sorel::host
