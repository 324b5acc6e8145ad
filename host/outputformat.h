// Output formats: the file extensions sorel-render writes, each mapped to a
// libsndfile major format (and, for the codecs, its one sample encoding).
#pragma once

#include <string>

namespace sorel::host {

// (outputformat.cpp maps these by position to libsndfile encodings.)
enum class SampleType { kSameAsInput, kPcm16, kPcm24, kPcm32, kFloat };

// The libsndfile format for an output of `channels` channels: the major
// format from the output's extension (the input's when it has none), the
// sample encoding from `type` (or the input's, when the container holds it;
// else 24-bit). A codec's container (mp3, ogg, opus) fixes the encoding and
// ignores `type`. 0 with *error for an unknown extension or an impossible
// combination.
int outputFormat(const std::string& outputPath, int inputFormat, int channels, SampleType type, std::string* error);

// The usual extension of a file in `format` ("flac", "opus"); "wav" when
// sorel-render writes no such format.
std::string extensionFor(int format);

// "WAV (Microsoft), Signed 24 bit PCM", for messages and reports.
std::string describeFormat(int format);

}  // namespace sorel::host
