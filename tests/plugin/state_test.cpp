// The state chunk byte for byte, its refusals and truncations, and the
// compare stores, through the host interface.
#include <cstring>

#include "loaded_plugin.h"
#include "param_index.h"

namespace sorel::test {
namespace {

using State = LoadedPlugin;
using Bytes = std::vector<unsigned char>;

float floatAt(const Bytes& chunk, std::size_t offset) {
  float v;
  std::memcpy(&v, chunk.data() + offset, 4);
  return v;
}

void putFloat(Bytes& chunk, std::size_t offset, float v) { std::memcpy(chunk.data() + offset, &v, 4); }

Bytes header(unsigned paramCount) {
  Bytes b = {0x4B, 0xB4, 0xAA, 0x55};
  for (unsigned v : {1u, paramCount, 3u})
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<unsigned char>(v >> shift));
  return b;
}

// A chunk with `count` values per section, value i of section s = s + i / 1000.
Bytes chunkWith(unsigned count) {
  Bytes b = header(count);
  b.resize(16 + 4 * 4 * count);
  for (unsigned s = 0; s < 4; ++s)
    for (unsigned i = 0; i < count; ++i)
      putFloat(b, 16 + 4 * (s * count + i), static_cast<float>(s) + static_cast<float>(i) / 1000.0f);
  return b;
}

TEST_F(State, FreshChunkByteForByte) {
  const Bytes chunk = fx->getChunk();
  ASSERT_EQ(chunk.size(), 1408u);
  Bytes head = header(87);
  for (unsigned char c : Bytes{0x00, 0x00, 0x80, 0x3F}) head.push_back(c);  // global on, 1.0f little-endian
  EXPECT_EQ(Bytes(chunk.begin(), chunk.begin() + 20), head);
  // The values in order, then the three stores, which start out holding them too.
  for (int s = 0; s <= 3; ++s)
    for (int i = 0; i < 87; ++i) EXPECT_EQ(floatAt(chunk, 16 + 348 * s + 4 * i), fx->getParameter(i)) << s << ' ' << i;
  EXPECT_EQ(fx->getChunk(true), chunk);  // bank and program requests get the same
}

TEST_F(State, RoundTripRestoresValuesStoresAndKeepsTheName) {
  fx->setParameter(kVolIn, 0.8f);
  fx->setParameter(kInRange, 1.0f);          // lowers vol in to 0.5...
  fx->setParameter(kVolIn, 0.9f);            // ...then a wide boost
  fx->setParameter(kCmdCaptureA + 1, 0.0f);  // capture into B
  fx->setParameter(kCompValidA + 1, 1.0f);
  fx->setParameter(moduleParam(kMidBase, kSugarModule, kOn), 0.25f);
  const Bytes saved = fx->getChunk();

  // Another instance takes the chunk whole (every value and store, vol in not
  // lowered), so it hands back the same bytes.
  auto other = another();
  ASSERT_TRUE(other);
  char name[] = "kept";
  other->dispatch(effSetProgramName, 0, 0, name);
  EXPECT_EQ(other->setChunk(saved), 1408);
  EXPECT_EQ(other->getChunk(), saved);
  EXPECT_EQ(other->programName(), "kept");
}

TEST_F(State, ForeignHeadersAreRefusedAndChangeNothing) {
  fx->setParameter(kStereoSalt, 0.7f);
  const Bytes before = fx->getChunk();
  Bytes good = fx->getChunk();
  putFloat(good, 16 + 4 * kStereoSalt, 0.1f);

  // The magic byte-swapped, version 2, two stores, 88 values, a huge count.
  const std::vector<std::pair<std::size_t, Bytes>> damage = {
      {0, {0x55, 0xAA, 0xB4, 0x4B}}, {7, {2}}, {15, {2}}, {11, {88}}, {8, {0xFF}}};
  for (const auto& [at, replacement] : damage) {
    Bytes bad = good;
    std::copy(replacement.begin(), replacement.end(), bad.begin() + static_cast<std::ptrdiff_t>(at));
    EXPECT_EQ(fx->setChunk(bad), 0) << at;
  }
  EXPECT_EQ(fx->setChunk(good.data(), 15), 0);
  EXPECT_EQ(fx->setChunk(good.data(), 0), 0);
  EXPECT_EQ(fx->setChunk(good.data(), -16), 0);
  EXPECT_EQ(fx->getChunk(), before);
  EXPECT_EQ(fx->setChunk(good), 1408);
  EXPECT_EQ(fx->getParameter(kStereoSalt), 0.1f);
}

TEST_F(State, ShortParameterCountZeroesWhatTheChunkDoesNotCarry) {
  fx->setParameter(kInRange, 1.0f);
  const Bytes chunk = chunkWith(80);
  EXPECT_EQ(fx->setChunk(chunk), static_cast<VstIntPtr>(chunk.size()));
  EXPECT_EQ(fx->getParameter(kVolIn), 0.002f);  // carried, and not lowered
  for (int i = 80; i < 87; ++i) EXPECT_EQ(fx->getParameter(i), 0.0f) << i;
  // The input range switch went to 0: vol in is back in the narrow range.
  fx->setParameter(kVolIn, 1.0f);
  EXPECT_EQ(fx->paramDisplay(kVolIn), "3.01dB");
  const Bytes out = fx->getChunk();
  for (int s = 1; s <= 3; ++s) {
    EXPECT_EQ(floatAt(out, 16 + 348 * s + 4 * 79), static_cast<float>(s) + 0.079f);
    for (int i = 80; i < 87; ++i) EXPECT_EQ(floatAt(out, 16 + 348 * s + 4 * i), 0.0f);
  }
}

TEST_F(State, ChunkCutShortKeepsWhatWasReadBeforeTheCut) {
  Bytes chunk = chunkWith(87);
  const Bytes before = fx->getChunk();
  chunk.resize(100);  // 21 whole values after the header
  EXPECT_EQ(fx->setChunk(chunk), 0);
  for (int i = 0; i < 21; ++i) EXPECT_EQ(fx->getParameter(i), static_cast<float>(i) / 1000.0f) << i;
  for (int i = 21; i < 87; ++i) EXPECT_EQ(fx->getParameter(i), floatAt(before, 16 + 4 * i)) << i;
  const Bytes after = fx->getChunk();
  EXPECT_TRUE(std::equal(after.begin() + 364, after.end(), before.begin() + 364));  // stores untouched

  // Cut inside store B: A is replaced, B partly, C not at all.
  Bytes full = chunkWith(87);
  full.resize(16 + 348 * 2 + 4 * 10 + 2);
  EXPECT_EQ(fx->setChunk(full), 0);
  const Bytes partly = fx->getChunk();
  EXPECT_EQ(floatAt(partly, 364 + 4 * 86), 1.086f);
  EXPECT_EQ(floatAt(partly, 712 + 4 * 9), 2.009f);
  EXPECT_EQ(floatAt(partly, 712 + 4 * 10), floatAt(before, 712 + 4 * 10));
  // The applying flag is clear again: a range switch lowers vol in as usual.
  fx->setParameter(kVolIn, 0.9f);
  fx->setParameter(kInRange, 1.0f);
  EXPECT_EQ(fx->getParameter(kVolIn), 0.5f);
}

TEST_F(State, CompareStoreCaptureAndRecallButNeverOnLoadingAChunk) {
  fx->setParameter(kStereoSalt, 0.3f);
  fx->setParameter(kPage, whole(1));
  fx->setParameter(kCmdCaptureA + 1, 0.0f);  // capture into B; not yet valid
  fx->setParameter(kStereoSalt, 0.9f);
  fx->setParameter(kPage, 0.0f);
  fx->setParameter(kCompareSelect, whole(1));  // select B: nothing, B holds no snapshot
  EXPECT_EQ(fx->getParameter(kStereoSalt), 0.9f);
  EXPECT_EQ(fx->getParameter(kCompareSelect), whole(1));

  fx->setParameter(kCompValidA + 1, 1.0f);  // B valid
  fx->setParameter(kGlobalOn, 0.0f);        // "global on" is not part of a recall
  fx->setParameter(kCompareSelect, 0.0f);   // select A (valid? no) : nothing
  EXPECT_EQ(fx->getParameter(kStereoSalt), 0.9f);
  host.clearCalls();
  fx->setParameter(kCompareSelect, whole(1));
  EXPECT_EQ(fx->getParameter(kStereoSalt), 0.3f);
  EXPECT_EQ(fx->getParameter(kPage), whole(1));  // the page comes back too
  EXPECT_EQ(fx->getParameter(kGlobalOn), 0.0f);
  EXPECT_EQ(fx->getParameter(kCompValidA + 1), 1.0f);
  EXPECT_EQ(callCount(audioMasterAutomate), 0u);

  // A recall restores the stored volume even when its range switch is wide.
  fx->setParameter(kVolIn, 0.9f);
  fx->setParameter(kInRange, 0.0f);
  fx->setParameter(kCmdCaptureA, 0.0f);
  fx->setParameter(kCompValidA, 1.0f);
  fx->setParameter(kInRange, 1.0f);
  EXPECT_EQ(fx->getParameter(kVolIn), 0.5f);
  fx->setParameter(kCompareSelect, 0.0f);
  EXPECT_EQ(fx->getParameter(kVolIn), 0.9f);
  EXPECT_EQ(fx->getParameter(kInRange), 0.0f);

  // Out-of-range selectors recall nothing.
  fx->setParameter(kStereoSalt, 0.6f);
  fx->setParameter(kCompareSelect, whole(3));
  fx->setParameter(kCompareSelect, 1.0f);
  EXPECT_EQ(fx->getParameter(kStereoSalt), 0.6f);

  // Loading a chunk never recalls a store.
  fx->setParameter(kStereoSalt, 0.3f);
  fx->setParameter(kCmdCaptureA, 0.0f);
  fx->setParameter(kCompValidA, 1.0f);
  fx->setParameter(kStereoSalt, 0.8f);
  Bytes chunk = fx->getChunk();
  putFloat(chunk, 16 + 4 * kCompareSelect, 0.0f);  // selector A, store A valid
  fx->setParameter(kCompareSelect, whole(2));
  EXPECT_EQ(fx->setChunk(chunk), 1408);
  EXPECT_EQ(fx->getParameter(kStereoSalt), 0.8f);
  EXPECT_EQ(fx->getParameter(kCompareSelect), 0.0f);
}

}  // namespace
}  // namespace sorel::test
