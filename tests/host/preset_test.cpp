// Preset files: the header byte for byte, round trips, and the refusals of
// damaged, truncated and non-chunk files; then the file helpers.
#include "preset.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string_view>

namespace sorel::host {
namespace {

using Bytes = std::vector<unsigned char>;
namespace fs = std::filesystem;

// The bytes of `text`, embedded zeros included; byte by byte, as GCC 12
// misreads vector::insert here as an overflow in some builds.
Bytes bytes(std::string_view text) {
  Bytes b;
  for (char c : text) b.push_back(static_cast<unsigned char>(c));
  return b;
}
void putInt(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (24 - 8 * i));
}

Preset program() {
  Preset p;
  p.uniqueID = kFourCC('S', 'O', 'R', 'L');
  p.pluginVersion = 1210;
  p.count = 87;
  p.programName = "Warm";
  p.chunk = {0xDE, 0xAD, 0xBE};
  return p;
}

Preset bank() {
  Preset p = program();
  p.kind = PresetKind::kBank;
  p.programName.clear();
  p.count = 16;
  p.currentProgram = 5;
  p.chunk = {1, 2, 3, 4, 5};
  return p;
}

// Decodes and returns the error, or "" on success.
std::string refusal(const Bytes& b) {
  Preset out;
  std::string error;
  return decodePreset(b.data(), b.size(), out, &error) ? "" : error;
}

TEST(PresetLayout, HeadersByteForByte) {
  using namespace std::string_literals;
  // Byte size = header (60 or 160) + chunk - 8; version 1210 = 0x4BA.
  EXPECT_EQ(encodePreset(program()), bytes("CcnK\0\0\0\x37"
                                           "FPCh\0\0\0\1"
                                           "SORL\0\0\x04\xBA\0\0\0\x57"
                                           "Warm"s +
                                           std::string(24, '\0') + "\0\0\0\3\xDE\xAD\xBE"s));
  EXPECT_EQ(encodePreset(bank()), bytes("CcnK\0\0\0\x9D"
                                        "FBCh\0\0\0\2"
                                        "SORL\0\0\x04\xBA\0\0\0\x10\0\0\0\5"s +
                                        std::string(124, '\0') + "\0\0\0\5\1\2\3\4\5"s));
}

TEST(PresetLayout, RoundTripsKeepEveryFieldButALongNamesEndAndAVersion1BanksProgram) {
  Preset odd = program();
  odd.uniqueID = static_cast<VstInt32>(0x80FF0001u);  // high bits must survive the sign
  odd.pluginVersion = -2;
  odd.programName = std::string(27, 'n');
  odd.chunk.clear();
  Preset big = bank();
  big.chunk.assign(70000, 0xA5);
  for (const Preset& p : {program(), bank(), odd, big}) {
    const Bytes b = encodePreset(p);
    Preset back;
    ASSERT_TRUE(decodePreset(b.data(), b.size(), back, nullptr));
    EXPECT_EQ(back, p);
  }
  // Long names are cut; version 1 banks have no current program.
  Preset p = program();
  p.programName = std::string(26, 'a') + "bcdefgh";
  Bytes b = encodePreset(p);
  EXPECT_EQ(b.size(), 63u);
  EXPECT_EQ(b[28 + 27], 0);  // 27 bytes and a terminator
  Preset back;
  ASSERT_TRUE(decodePreset(b.data(), b.size(), back, nullptr));
  EXPECT_EQ(back.programName, std::string(26, 'a') + "b");
  b = encodePreset(bank());
  putInt(b, 12, 1);
  ASSERT_TRUE(decodePreset(b.data(), b.size(), back, nullptr));
  EXPECT_EQ(back.currentProgram, 0);
  EXPECT_EQ(back.chunk, bank().chunk);
}

TEST(PresetRefusal, EveryTruncationRefusedWithoutTouchingOutput) {
  for (const Preset& p : {program(), bank()}) {
    const Bytes full = encodePreset(p);
    for (std::size_t n = 0; n < full.size(); ++n) {
      const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));  // exact size for sanitizers
      Preset out = program();
      out.programName = "untouched";
      std::string error;
      EXPECT_FALSE(decodePreset(cut.data(), cut.size(), out, &error)) << n;
      EXPECT_FALSE(error.empty()) << n;
      EXPECT_EQ(out.programName, "untouched") << n;
    }
  }
}

TEST(PresetRefusal, WrongMagicKindOrVersion) {
  struct Case {
    Preset preset;
    std::size_t at;
    const char* replacement;
    const char* message;
  };
  const Case cases[] = {
      {program(), 0, "CcnX", "not a VST preset: no 'CcnK' header"},
      {program(), 8, "FxCk", "the preset holds parameter values, not a chunk; only chunk presets are supported"},
      {bank(), 8, "FxBk", "the bank holds programs of parameter values, not a chunk; only chunk presets are supported"},
      {program(), 8, "ABCD", "not a VST preset: unknown preset type 'ABCD'"},
      {program(), 12, "\0\0\0\2", "unsupported program format version 2; only version 1 is known"},
      {bank(), 12, "\0\0\0\3", "unsupported bank format version 3; only versions 1 and 2 are known"},
      {bank(), 24, "\xFF\xFF\xFF\xFF", "the preset gives a negative number of programs (-1)"},
      // A program's header under the bank type is too short for a bank.
      {program(), 8, "FBCh", "the file ends after 63 bytes, inside the 160-byte bank header"},
  };
  for (const Case& c : cases) {
    Bytes b = encodePreset(c.preset);
    std::copy_n(c.replacement, 4, b.begin() + static_cast<std::ptrdiff_t>(c.at));
    EXPECT_EQ(refusal(b), c.message);
  }
}

TEST(PresetRefusal, SizeFieldsMustAgreeWithTheFile) {
  for (const Preset& p : {program(), bank()}) {
    const Bytes good = encodePreset(p);
    const std::size_t sizeAt = good.size() - p.chunk.size() - 4;
    for (std::uint32_t byteSize : {std::uint32_t(good.size() - 9), std::uint32_t(good.size() - 7), 0xFFFFFFF8u}) {
      Bytes b = good;
      putInt(b, 4, byteSize);
      EXPECT_EQ(refusal(b).rfind("byte size field does not match the file size", 0), 0u) << byteSize;
    }
    Bytes b = good;
    putInt(b, sizeAt, 5000);
    EXPECT_EQ(refusal(b), "the preset says its chunk has 5000 bytes but the file ends after " +
                              std::to_string(p.chunk.size()) + " of them");
    putInt(b, sizeAt, 0x80000000u);
    EXPECT_EQ(refusal(b), "the preset gives a negative chunk size (-2147483648)");
    b = good;
    putInt(b, sizeAt, static_cast<std::uint32_t>(p.chunk.size() - 1));
    EXPECT_EQ(refusal(b), "the file goes on for 1 byte after the end of the chunk");
  }
}

class PresetFiles : public ::testing::Test {
 protected:
  fs::path folder = fs::temp_directory_path() / ("sorel-preset-test-" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(folder); }
  void TearDown() override { fs::remove_all(folder); }
  std::size_t entries() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {})); }
};

TEST_F(PresetFiles, WriteReplacesAtomicallyAndReadsBack) {
  const std::string path = (folder / "a.fxb").string();
  std::string error;
  ASSERT_TRUE(writePresetFile(path, program(), &error)) << error;
  ASSERT_TRUE(writePresetFile(path, bank(), &error)) << error;
  Preset back;
  ASSERT_TRUE(readPresetFile(path, back, &error)) << error;
  EXPECT_EQ(back, bank());
  EXPECT_EQ(entries(), 1u);
}

TEST_F(PresetFiles, FailuresLeaveNothingBehindAndFilesAbove64MiBAreRefused) {
  std::string error;
  EXPECT_FALSE(writePresetFile((folder / "missing" / "a.fxp").string(), program(), &error));
  EXPECT_FALSE(error.empty());
  fs::create_directory(folder / "taken.fxp");
  EXPECT_FALSE(writePresetFile((folder / "taken.fxp").string(), program(), &error));
  EXPECT_NE(error.find("cannot replace"), std::string::npos) << error;
  EXPECT_EQ(entries(), 1u);
  Preset out;
  EXPECT_FALSE(readPresetFile((folder / "none.fxp").string(), out, &error));
  EXPECT_NE(error.find("none.fxp"), std::string::npos) << error;
  // Files above 64 MiB are refused.
  const fs::path path = folder / "huge.fxb";
  { std::ofstream(path).put('C'); }
  fs::resize_file(path, kMaxPresetFileSize + 1);  // sparse on the usual file systems
  EXPECT_FALSE(readPresetFile(path.string(), out, &error));
  EXPECT_NE(error.find("larger than 64 MiB"), std::string::npos) << error;
}

TEST(PresetNaming, KindFromExtensionAndFourCharacters) {
  PresetKind kind = PresetKind::kBank;
  EXPECT_TRUE(presetKindFromPath("dir.fxb/Lead.FXP", kind));
  EXPECT_EQ(kind, PresetKind::kProgram);
  EXPECT_TRUE(presetKindFromPath("pads.fxB", kind));
  EXPECT_EQ(kind, PresetKind::kBank);
  for (const char* other : {"a.fxp.bak", "fxp", "a.fx", "a.fxpx"}) EXPECT_FALSE(presetKindFromPath(other, kind));
  EXPECT_EQ(fourCharacters(kFourCC('A', 'B', 'C', 'D')), "ABCD");
  EXPECT_EQ(fourCharacters(0x0000162E), "0x0000162E");
  EXPECT_EQ(fourCharacters(static_cast<VstInt32>(0xC1424344u)), "0xC1424344");
}

}  // namespace
}  // namespace sorel::host
