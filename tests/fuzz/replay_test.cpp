// Replays a fuzz target's committed seed corpus (and any findings added to
// it) through its entry point, without a fuzzing engine: any broken invariant
// aborts the test.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

TEST(FuzzCorpus, EverySeedRunsCleanly) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(SOREL_FUZZ_CORPUS)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    ++files;
  }
  EXPECT_GE(files, 3) << SOREL_FUZZ_CORPUS;
}
