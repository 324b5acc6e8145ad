#include "preset.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <system_error>

#include "replacingfile.h"

#ifdef _WIN32
#include <io.h>
#endif

namespace sorel::host {
namespace {

#ifdef _WIN32
// Bytes as they are (no newline translation), not handed to child processes.
constexpr int kOpenFlags = O_BINARY | O_NOINHERIT;
int syncToDisk(int fd) { return _commit(fd); }
#else
constexpr int kOpenFlags = O_CLOEXEC;
int syncToDisk(int fd) { return ::fsync(fd); }
#endif

constexpr VstInt32 kContainerMagic = kFourCC('C', 'c', 'n', 'K');
constexpr VstInt32 kProgramChunkMagic = kFourCC('F', 'P', 'C', 'h');
constexpr VstInt32 kBankChunkMagic = kFourCC('F', 'B', 'C', 'h');
constexpr VstInt32 kProgramValuesMagic = kFourCC('F', 'x', 'C', 'k');
constexpr VstInt32 kBankValuesMagic = kFourCC('F', 'x', 'B', 'k');

// Offsets shared by both kinds.
constexpr std::size_t kByteSizeAt = 4;
constexpr std::size_t kTypeAt = 8;
constexpr std::size_t kVersionAt = 12;
constexpr std::size_t kIDAt = 16;
constexpr std::size_t kPluginVersionAt = 20;
constexpr std::size_t kCountAt = 24;
// What follows the count: the program's name, or the bank's current program and reserved bytes.
constexpr std::size_t kNameAt = 28;
constexpr std::size_t kNameField = 28;
constexpr std::size_t kCurrentProgramAt = 28;
constexpr std::size_t kBankReserved = 128;

constexpr std::size_t headerSize(PresetKind kind) {
  return kind == PresetKind::kProgram ? kNameAt + kNameField + 4 : kCurrentProgramAt + kBankReserved + 4;
}

VstInt32 readInt(const unsigned char* p) {
  return static_cast<VstInt32>(static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
                               static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]));
}

void writeInt(unsigned char* p, VstInt32 value) {
  const auto v = static_cast<std::uint32_t>(value);
  p[0] = static_cast<unsigned char>(v >> 24);
  p[1] = static_cast<unsigned char>(v >> 16);
  p[2] = static_cast<unsigned char>(v >> 8);
  p[3] = static_cast<unsigned char>(v);
}

bool fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

// "1 byte", "5 bytes".
std::string byteCount(std::int64_t n) { return std::to_string(n) + (n == 1 ? " byte" : " bytes"); }

std::string quoted(const std::string& path) { return "'" + path + "'"; }

std::string systemMessage(int code) { return std::generic_category().message(code); }

// Closes a descriptor on every way out.
class Descriptor {
 public:
  explicit Descriptor(int descriptor) : fd(descriptor) {}
  ~Descriptor() { close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd; }
  // The result of close(2), which can be the first report of a failed write.
  int close() {
    const int result = fd >= 0 ? ::close(fd) : 0;
    fd = -1;
    return result;
  }

 private:
  int fd;
};

bool writeAll(int fd, const std::vector<unsigned char>& bytes, int& code) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    // At most 1 MiB a call: Windows counts the bytes of a write in 32 bits.
    const auto piece = static_cast<unsigned>(std::min<std::size_t>(bytes.size() - done, std::size_t{1} << 20));
    const auto n = ::write(fd, bytes.data() + done, piece);
    if (n < 0) {
      if (errno == EINTR) continue;
      code = errno;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::string fourCharacters(VstInt32 id) {
  const auto v = static_cast<std::uint32_t>(id);
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const auto c = static_cast<unsigned char>(v >> shift);
    if (c < 0x20 || c > 0x7E) {
      char hex[11];
      std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(v));
      return hex;
    }
    text.push_back(static_cast<char>(c));
  }
  return text;
}

std::vector<unsigned char> encodePreset(const Preset& preset) {
  const std::size_t header = headerSize(preset.kind);
  if (preset.chunk.size() > static_cast<std::size_t>(std::numeric_limits<VstInt32>::max()) - (header - 8))
    throw std::length_error("preset chunk too large for a preset file");

  std::vector<unsigned char> bytes(header + preset.chunk.size(), 0);
  unsigned char* p = bytes.data();
  writeInt(p, kContainerMagic);
  writeInt(p + kByteSizeAt, static_cast<VstInt32>(bytes.size() - 8));
  writeInt(p + kIDAt, preset.uniqueID);
  writeInt(p + kPluginVersionAt, preset.pluginVersion);
  writeInt(p + kCountAt, preset.count);
  if (preset.kind == PresetKind::kProgram) {
    writeInt(p + kTypeAt, kProgramChunkMagic);
    writeInt(p + kVersionAt, 1);
    // The name stops at an embedded NUL as it would on reading, and always keeps one terminating NUL.
    const std::size_t nameLength = std::min(preset.programName.find('\0'), kNameField - 1);
    std::copy_n(preset.programName.begin(), std::min(nameLength, preset.programName.size()), p + kNameAt);
  } else {
    writeInt(p + kTypeAt, kBankChunkMagic);
    writeInt(p + kVersionAt, 2);
    writeInt(p + kCurrentProgramAt, preset.currentProgram);
  }
  writeInt(p + header - 4, static_cast<VstInt32>(preset.chunk.size()));
  std::copy(preset.chunk.begin(), preset.chunk.end(), p + header);
  return bytes;
}

bool decodePreset(const unsigned char* data, std::size_t size, Preset& out, std::string* error) {
  if (size < 4) return fail(error, "not a VST preset: the file has only " + byteCount(static_cast<std::int64_t>(size)));
  if (readInt(data) != kContainerMagic) return fail(error, "not a VST preset: no 'CcnK' header");
  if (size < kTypeAt + 4)
    return fail(error,
                "the file ends after " + byteCount(static_cast<std::int64_t>(size)) + ", before the preset type");

  Preset preset;
  const VstInt32 type = readInt(data + kTypeAt);
  if (type == kProgramChunkMagic) {
    preset.kind = PresetKind::kProgram;
  } else if (type == kBankChunkMagic) {
    preset.kind = PresetKind::kBank;
  } else if (type == kProgramValuesMagic) {
    return fail(error, "the preset holds parameter values, not a chunk; only chunk presets are supported");
  } else if (type == kBankValuesMagic) {
    return fail(error, "the bank holds programs of parameter values, not a chunk; only chunk presets are supported");
  } else {
    return fail(error, "not a VST preset: unknown preset type '" + fourCharacters(type) + "'");
  }
  const bool program = preset.kind == PresetKind::kProgram;
  const char* what = program ? "program" : "bank";

  const std::size_t header = headerSize(preset.kind);
  if (size < header)
    return fail(error, "the file ends after " + byteCount(static_cast<std::int64_t>(size)) + ", inside the " +
                           std::to_string(header) + "-byte " + what + " header");

  const VstInt32 version = readInt(data + kVersionAt);
  if (program ? version != 1 : version != 1 && version != 2)
    return fail(error, "unsupported " + std::string(what) + " format version " + std::to_string(version) +
                           (program ? "; only version 1 is known" : "; only versions 1 and 2 are known"));

  preset.uniqueID = readInt(data + kIDAt);
  preset.pluginVersion = readInt(data + kPluginVersionAt);
  preset.count = readInt(data + kCountAt);
  if (preset.count < 0)
    return fail(error, "the preset gives a negative number of " + std::string(program ? "parameters" : "programs") +
                           " (" + std::to_string(preset.count) + ")");

  if (program) {
    const auto* name = data + kNameAt;
    const auto* nameEnd = std::find(name, name + kNameField - 1, 0);
    preset.programName.assign(name, nameEnd);
  } else if (version == 2) {
    preset.currentProgram = readInt(data + kCurrentProgramAt);
  }

  const VstInt32 chunkSize = readInt(data + header - 4);
  const std::size_t available = size - header;
  if (chunkSize < 0) return fail(error, "the preset gives a negative chunk size (" + std::to_string(chunkSize) + ")");
  if (static_cast<std::size_t>(chunkSize) > available)
    return fail(error, "the preset says its chunk has " + byteCount(chunkSize) + " but the file ends after " +
                           std::to_string(available) + " of them");
  if (static_cast<std::size_t>(chunkSize) < available)
    return fail(error, "the file goes on for " + byteCount(static_cast<std::int64_t>(available) - chunkSize) +
                           " after the end of the chunk");

  // The chunk fills the file exactly, so the file is no larger than a VstInt32 plus the header.
  const VstInt32 byteSize = readInt(data + kByteSizeAt);
  if (static_cast<std::int64_t>(byteSize) != static_cast<std::int64_t>(size) - 8)
    return fail(error, "byte size field does not match the file size (it says " + std::to_string(byteSize) +
                           ", the file has " + byteCount(static_cast<std::int64_t>(size) - 8) + " after it)");

  preset.chunk.assign(data + header, data + size);
  out = std::move(preset);
  return true;
}

bool readPresetFile(const std::string& path, Preset& out, std::string* error) {
  Descriptor file(::open(path.c_str(), O_RDONLY | kOpenFlags));
  if (file.get() < 0) return fail(error, "cannot open " + quoted(path) + ": " + systemMessage(errno));

  // Read to the end rather than trusting the size fstat reports: pipes have none and files can grow.
  std::vector<unsigned char> bytes;
  struct stat status {};
  if (::fstat(file.get(), &status) == 0 && status.st_size > 0)
    bytes.reserve(std::min(static_cast<std::size_t>(status.st_size), kMaxPresetFileSize + 1));
  unsigned char buffer[65536];
  for (;;) {
    const auto n = ::read(file.get(), buffer, static_cast<unsigned>(sizeof buffer));
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(error, "cannot read " + quoted(path) + ": " + systemMessage(errno));
    }
    if (n == 0) break;
    bytes.insert(bytes.end(), buffer, buffer + n);
    if (bytes.size() > kMaxPresetFileSize)
      return fail(error, quoted(path) + " is larger than 64 MiB, too large for a preset file");
  }
  if (decodePreset(bytes.data(), bytes.size(), out, error)) return true;
  if (error) *error = quoted(path) + ": " + *error;
  return false;
}

bool writePresetFile(const std::string& path, const Preset& preset, std::string* error) {
  std::vector<unsigned char> bytes;
  try {
    bytes = encodePreset(preset);
  } catch (const std::length_error&) {
    return fail(error, "the chunk has " + std::to_string(preset.chunk.size()) + " bytes, too many for a preset file");
  }

  ReplacingFile replacing(path);
  Descriptor file(::open(replacing.temporaryPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | kOpenFlags, 0666));
  if (file.get() < 0)
    return fail(error, "cannot create a temporary file beside " + quoted(path) + ": " + systemMessage(errno));
  int code = 0;
  bool written = writeAll(file.get(), bytes, code);
  if (written && syncToDisk(file.get()) != 0) {
    written = false;
    code = errno;
  }
  if (file.close() != 0 && written) {
    written = false;
    code = errno;
  }
  if (!written) return fail(error, "cannot write " + quoted(path) + ": " + systemMessage(code));
  return replacing.commit(error);
}

bool presetKindFromPath(const std::string& path, PresetKind& kind) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
  if (extension == ".fxp") {
    kind = PresetKind::kProgram;
    return true;
  }
  if (extension == ".fxb") {
    kind = PresetKind::kBank;
    return true;
  }
  return false;
}

}  // namespace sorel::host
