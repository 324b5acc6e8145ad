// The binary state chunk: a big-endian header (magic, version, parameter
// count, store count) then the current values and the three compare stores,
// each value a little-endian IEEE single.
#pragma once

#include <cstdint>

#include "parameters.h"

namespace sorel {

constexpr std::uint32_t kChunkMagic = 0x4BB4AA55;
constexpr std::uint32_t kChunkVersion = 1;
constexpr int kChunkStores = 3;
constexpr int kChunkHeaderSize = 16;
constexpr int kChunkSize = kChunkHeaderSize + (1 + kChunkStores) * kNumParams * 4;
static_assert(kChunkSize == 1408);

struct ChunkHeader {
  std::uint32_t magic;
  std::uint32_t version;
  std::uint32_t paramCount;
  std::uint32_t storeCount;
};

// Reads values out of a chunk of `size` bytes without ever reading past it.
class ChunkReader {
 public:
  ChunkReader(const void* data, std::int32_t byteSize)
      : bytes(static_cast<const unsigned char*>(data)), size(byteSize) {}
  // False when fewer than 16 bytes are there.
  bool readHeader(ChunkHeader& header);
  // False, reading nothing, when the next 4 bytes are not all inside the chunk.
  bool readValue(float& value);

 private:
  const unsigned char* bytes;
  std::int32_t size;
  std::int32_t position = 0;
};

void writeChunkHeader(unsigned char* out);
void writeChunkValues(unsigned char* out, const float* values);  // kNumParams values

}  // namespace sorel
