// Rendering one file through a fresh plug-in instance: read, process in
// blocks, measure before and after, write to a temporary name and rename it
// into place only when everything worked (a device or pipe is written in
// place; see outputtarget.h). Non-finite input samples become silence before
// anything sees them, so the plug-in and the "before" meter get the same.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "audiofile.h"
#include "delivery.h"
#include "exitstatus.h"
#include "loudness.h"
#include "meterthread.h"
#include "session.h"

namespace sorel::host {

struct RenderOptions {
  SampleType sampleType = SampleType::kSameAsInput;
  Dither dither = Dither::kTriangular;
  Encoding encoding;  // MP3, Vorbis, Opus
  int blockSize = 512;
  bool measure = true;  // the loudness report; off saves its cost
  // The plug-in's output as a DAW gets it: its delay is not removed (and the
  // last frames it held back are not flushed out).
  bool dawIdentical = false;
  int oversample = 1;  // the plug-in runs at this multiple of the file's rate
  DeliveryOptions delivery;  // loudness target, ceiling, output rate, plot
};

// Shared by the files rendered at once, for one progress display.
struct Progress {
  std::atomic<std::int64_t> framesDone{0};
  std::atomic<std::int64_t> framesTotal{0};
};

struct FileReport {
  std::string input;
  std::string output;
  std::string format;  // of the output
  int sampleRate = 0;
  int channels = 0;
  std::int64_t frames = 0;
  bool measured = false;  // before and after hold levels
  Levels before;
  Levels after;
  std::int64_t clipBlocks = -1;  // blocks that raised the input-clip notice; -1 when not known
  std::int64_t blocks = 0;
  std::int64_t nonFinite = 0;         // NaN and infinite input samples, handed on as silence
  std::vector<std::string> warnings;  // said on standard error: a cut input, no meter for the rate
  std::vector<std::string> notes;     // said in the report: a setting that does nothing here, no loudness reading
  ExitStatus exitStatus = kExitOk;    // of this file: why it failed
  DeliveryReport delivery;
};

// False with *error on any failure; then no output file exists.
bool renderFile(const Session& session, const std::string& input, const std::string& output,
                const RenderOptions& options, Progress* progress, FileReport& report, std::string* error);

}  // namespace sorel::host
