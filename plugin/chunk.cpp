#include "chunk.h"

#include <bit>
#include <cstring>

namespace sorel {
namespace {

static_assert(std::endian::native == std::endian::little, "values are stored in native order");

void putBigEndian(unsigned char* out, std::uint32_t v) {
  out[0] = static_cast<unsigned char>(v >> 24);
  out[1] = static_cast<unsigned char>(v >> 16);
  out[2] = static_cast<unsigned char>(v >> 8);
  out[3] = static_cast<unsigned char>(v);
}

std::uint32_t getBigEndian(const unsigned char* in) {
  return (std::uint32_t{in[0]} << 24) | (std::uint32_t{in[1]} << 16) | (std::uint32_t{in[2]} << 8) | in[3];
}

}  // namespace

bool ChunkReader::readHeader(ChunkHeader& header) {
  if (!bytes || size < kChunkHeaderSize) return false;
  header.magic = getBigEndian(bytes);
  header.version = getBigEndian(bytes + 4);
  header.paramCount = getBigEndian(bytes + 8);
  header.storeCount = getBigEndian(bytes + 12);
  position = kChunkHeaderSize;
  return true;
}

bool ChunkReader::readValue(float& value) {
  if (size - position < 4) return false;
  std::memcpy(&value, bytes + position, 4);
  position += 4;
  return true;
}

void writeChunkHeader(unsigned char* out) {
  putBigEndian(out, kChunkMagic);
  putBigEndian(out + 4, kChunkVersion);
  putBigEndian(out + 8, kNumParams);
  putBigEndian(out + 12, kChunkStores);
}

void writeChunkValues(unsigned char* out, const float* values) { std::memcpy(out, values, kNumParams * 4); }

}  // namespace sorel
