// The state chunk byte for byte, its refusals and truncations, and the
// compare stores, through the host interface.
#include <cstring>
#include <random>

#include "loaded_plugin.h"

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

Bytes header(unsigned paramCount, unsigned version = 1, unsigned stores = 3) {
  Bytes b = {0x4B, 0xB4, 0xAA, 0x55};
  for (unsigned v : {version, paramCount, stores})
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

std::vector<float> allValues(host::HostedEffect& fx) {
  std::vector<float> v;
  for (int i = 0; i < 87; ++i) v.push_back(fx.getParameter(i));
  return v;
}

TEST_F(State, FreshChunkByteForByte) {
  const Bytes chunk = fx->getChunk();
  ASSERT_EQ(chunk.size(), 1408u);
  const Bytes head = {0x4B, 0xB4, 0xAA, 0x55, 0, 0, 0, 1, 0, 0, 0, 0x57, 0, 0, 0, 3};
  EXPECT_TRUE(std::equal(head.begin(), head.end(), chunk.begin()));
  const Bytes globalOn = {0x00, 0x00, 0x80, 0x3F};
  EXPECT_TRUE(std::equal(globalOn.begin(), globalOn.end(), chunk.begin() + 16));
  EXPECT_EQ(floatAt(chunk, 20), 0.0f);  // page
  EXPECT_EQ(floatAt(chunk, 24), 0.5f);  // vol in
  EXPECT_EQ(floatAt(chunk, 32), 0.33333334f);
  // The stores start out holding the defaults.
  for (int s = 1; s <= 3; ++s)
    for (int i = 0; i < 87; ++i)
      EXPECT_EQ(floatAt(chunk, 16 + 348 * s + 4 * i), floatAt(chunk, 16 + 4 * i)) << s << ' ' << i;
  EXPECT_EQ(fx->getChunk(true), chunk);  // bank and program requests get the same
}

TEST_F(State, RoundTripRestoresValuesStoresAndKeepsTheName) {
  fx->setParameter(2, 0.8f);
  fx->setParameter(84, 1.0f);  // lowers vol in to 0.5...
  fx->setParameter(2, 0.9f);   // ...then a wide boost
  fx->setParameter(91, 0.0f);  // capture into B
  fx->setParameter(10, 1.0f);
  fx->setParameter(50, 0.25f);
  const Bytes saved = fx->getChunk();
  const std::vector<float> before = allValues(*fx);

  // Another instance takes the chunk whole, without lowering vol in.
  std::string error;
  host::Host otherHost;
  auto other = host::HostedEffect::create(pluginLibrary(), otherHost, &error);
  ASSERT_TRUE(other) << error;
  char name[] = "kept";
  other->dispatch(effSetProgramName, 0, 0, name);
  EXPECT_EQ(other->setChunk(saved), 1408);
  EXPECT_EQ(allValues(*other), before);
  EXPECT_EQ(other->paramDisplay(2), fx->paramDisplay(2));
  EXPECT_EQ(other->getChunk(), saved);
  EXPECT_EQ(other->programName(), "kept");
}

TEST_F(State, ForeignHeadersAreRefusedAndChangeNothing) {
  fx->setParameter(12, 0.7f);
  const Bytes before = fx->getChunk();
  Bytes good = fx->getChunk();
  putFloat(good, 16 + 4 * 12, 0.1f);

  Bytes littleEndianMagic = good;
  littleEndianMagic[0] = 0x55, littleEndianMagic[1] = 0xAA, littleEndianMagic[2] = 0xB4, littleEndianMagic[3] = 0x4B;
  Bytes version2 = good;
  version2[7] = 2;
  Bytes twoStores = good;
  twoStores[15] = 2;
  Bytes tooManyParams = good;
  tooManyParams[11] = 88;
  Bytes hugeCount = good;
  hugeCount[8] = 0xFF;
  for (const Bytes* bad : {&littleEndianMagic, &version2, &twoStores, &tooManyParams, &hugeCount})
    EXPECT_EQ(fx->setChunk(*bad), 0);
  EXPECT_EQ(fx->setChunk(good.data(), 15), 0);
  EXPECT_EQ(fx->setChunk(good.data(), 0), 0);
  EXPECT_EQ(fx->setChunk(good.data(), -16), 0);
  EXPECT_EQ(fx->getChunk(), before);
  EXPECT_EQ(fx->setChunk(good), 1408);
  EXPECT_EQ(fx->getParameter(12), 0.1f);
}

TEST_F(State, ShortParameterCountZeroesWhatTheChunkDoesNotCarry) {
  fx->setParameter(84, 1.0f);
  const Bytes chunk = chunkWith(80);
  EXPECT_EQ(fx->setChunk(chunk), static_cast<VstIntPtr>(chunk.size()));
  EXPECT_EQ(fx->getParameter(2), 0.002f);  // carried, and not lowered
  for (int i = 80; i < 87; ++i) EXPECT_EQ(fx->getParameter(i), 0.0f) << i;
  // 84 went to 0: vol in is back in the narrow range.
  fx->setParameter(2, 1.0f);
  EXPECT_EQ(fx->paramDisplay(2), "3.01dB");
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
  fx->setParameter(2, 0.9f);
  fx->setParameter(84, 1.0f);
  EXPECT_EQ(fx->getParameter(2), 0.5f);
}

TEST_F(State, RandomBytesNeverCrash) {
  std::mt19937 random(1234);
  for (int round = 0; round < 400; ++round) {
    Bytes chunk = round % 2 ? chunkWith(static_cast<unsigned>(random() % 88)) : fx->getChunk();
    chunk.resize(random() % (chunk.size() + 8));
    for (auto flips = static_cast<int>(random() % 6); flips > 0 && !chunk.empty(); --flips)
      chunk[random() % chunk.size()] = static_cast<unsigned char>(random());
    // An exact-size heap copy, so reading one byte past the end is caught.
    auto copy = std::make_unique<unsigned char[]>(chunk.size() + 1);
    std::memcpy(copy.get(), chunk.data(), chunk.size());
    const VstIntPtr answer = fx->setChunk(copy.get(), static_cast<VstIntPtr>(chunk.size()));
    EXPECT_TRUE(answer == 0 || answer == static_cast<VstIntPtr>(chunk.size()));
  }
  EXPECT_EQ(fx->getChunk().size(), 1408u);
}

TEST_F(State, CompareStoreCaptureAndRecall) {
  fx->setParameter(12, 0.3f);
  fx->setParameter(1, 1.0f / 128.0f);
  fx->setParameter(91, 0.0f);  // capture into B; not yet valid
  fx->setParameter(12, 0.9f);
  fx->setParameter(1, 0.0f);
  fx->setParameter(8, 1.0f / 128.0f);  // select B: nothing, B holds no snapshot
  EXPECT_EQ(fx->getParameter(12), 0.9f);
  EXPECT_EQ(fx->getParameter(8), 1.0f / 128.0f);

  fx->setParameter(10, 1.0f);  // B valid
  fx->setParameter(0, 0.0f);   // "global on" is not part of a recall
  fx->setParameter(8, 0.0f);   // select A (valid? no) : nothing
  EXPECT_EQ(fx->getParameter(12), 0.9f);
  host.clearCalls();
  fx->setParameter(8, 1.0f / 128.0f);
  EXPECT_EQ(fx->getParameter(12), 0.3f);
  EXPECT_EQ(fx->getParameter(1), 1.0f / 128.0f);  // the page comes back too
  EXPECT_EQ(fx->getParameter(0), 0.0f);
  EXPECT_EQ(fx->getParameter(10), 1.0f);
  EXPECT_EQ(callCount(audioMasterAutomate), 0u);

  // A recall restores the stored volume even when its range switch is wide.
  fx->setParameter(2, 0.9f);
  fx->setParameter(84, 0.0f);
  fx->setParameter(90, 0.0f);
  fx->setParameter(9, 1.0f);
  fx->setParameter(84, 1.0f);
  EXPECT_EQ(fx->getParameter(2), 0.5f);
  fx->setParameter(8, 0.0f);
  EXPECT_EQ(fx->getParameter(2), 0.9f);
  EXPECT_EQ(fx->getParameter(84), 0.0f);

  // Out-of-range selectors recall nothing.
  fx->setParameter(12, 0.6f);
  fx->setParameter(8, 3.0f / 128.0f);
  fx->setParameter(8, 1.0f);
  EXPECT_EQ(fx->getParameter(12), 0.6f);
}

TEST_F(State, LoadingAChunkNeverRecallsAStore) {
  fx->setParameter(12, 0.3f);
  fx->setParameter(90, 0.0f);
  fx->setParameter(9, 1.0f);
  fx->setParameter(12, 0.8f);
  Bytes chunk = fx->getChunk();
  putFloat(chunk, 16 + 4 * 8, 0.0f);  // selector A, store A valid
  fx->setParameter(8, 2.0f / 128.0f);
  EXPECT_EQ(fx->setChunk(chunk), 1408);
  EXPECT_EQ(fx->getParameter(12), 0.8f);
  EXPECT_EQ(fx->getParameter(8), 0.0f);
}

}  // namespace
}  // namespace sorel::test
