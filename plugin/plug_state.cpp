// The effect's saved state: its one program, the A/B/C compare stores and the
// binary chunk that carries both to the host.
#include <cstring>

#include "plug.h"

namespace sorel {

// [ui] Applies program p through the parameter path so every engine field
// follows. The program being left keeps the values it has now.
void CPlug::setProgram(VstInt32 p) {
  if (p < 0 || p >= kNumPrograms) return;
  if (curProgram >= 0 && curProgram < kNumPrograms)
    for (int i = 0; i < kNumParams; ++i) programs[curProgram].values[i] = currentValue(i);
  curProgram = p;
  for (int i = 0; i < kNumParams; ++i) change(i, programs[p].values[i], Origin::kApplying);
  updateDisplay();
}

void CPlug::setProgramName(char* name) {
  ProgramRecord& program = programs[curProgram];
  const std::size_t length = strnlen(name, kProgramNameSize - 1);
  std::memcpy(program.name, name, length);
  program.name[length] = 0;
}

void CPlug::getProgramName(char* name) {
  const ProgramRecord& program = programs[curProgram];
  std::memcpy(name, program.name, std::strlen(program.name) + 1);
}

bool CPlug::getProgramNameIndexed(VstInt32, VstInt32 index, char* text) {
  if (index < 0 || index >= kNumPrograms) {
    text[0] = 0;
    return false;
  }
  std::memcpy(text, programs[index].name, std::strlen(programs[index].name) + 1);
  return true;
}

// Every value, "global on", the selector and the valid flags included. The
// editor marks the store valid; capturing alone does not.
void CPlug::captureCompareStore(int k) {
  for (int i = 0; i < kNumParams; ++i) stores[k].values[i] = getParameter(i);
}

// Restores a store that holds a snapshot, except "global on", the selector and
// the valid flags, which keep their present values.
void CPlug::recallCompareStore(int k) {
  if (k < 0 || k >= kNumCompareStores) return;
  if (!holdsSnapshot(getParameter(kCompValidA + k))) return;
  for (int i = 1; i < kNumParams; ++i)
    if (i < kCompareSelect || i > kCompValidA + 2) change(i, stores[k].values[i], Origin::kApplying);
}

VstInt32 CPlug::getChunk(void** data, bool) {
  float current[kNumParams];
  for (int i = 0; i < kNumParams; ++i) current[i] = currentValue(i);
  unsigned char* out = chunkBuffer.data();
  writeChunkHeader(out);
  writeChunkValues(out + kChunkHeaderSize, current);
  for (int s = 0; s < kNumCompareStores; ++s)
    writeChunkValues(out + kChunkHeaderSize + (1 + s) * kNumParams * 4, stores[s].values);
  *data = out;
  return kChunkSize;
}

// Reads at most byteSize bytes whatever the header claims. A header that is
// not ours changes nothing; a chunk cut short keeps what was read before the
// cut. Chunks carrying more than kNumParams values come from no version of this
// plug-in and are refused whole.
VstInt32 CPlug::setChunk(void* data, VstInt32 byteSize, bool) {
  ChunkReader reader(data, byteSize);
  ChunkHeader header{};
  if (!reader.readHeader(header)) return 0;
  if (header.magic != kChunkMagic || header.version != kChunkVersion || header.storeCount != kChunkStores) return 0;
  if (header.paramCount > static_cast<std::uint32_t>(kNumParams)) return 0;
  const int count = static_cast<int>(header.paramCount);

  for (int i = 0; i < count; ++i) {
    float value = 0.0f;
    if (!reader.readValue(value)) return 0;
    change(i, value, Origin::kApplying);
  }
  for (int i = count; i < kNumParams; ++i) change(i, 0.0f, Origin::kApplying);  // not carried: 0, not the default

  for (auto& store : stores) {
    for (int i = 0; i < count; ++i)
      if (!reader.readValue(store.values[i])) return 0;
    for (int i = count; i < kNumParams; ++i) store.values[i] = 0.0f;
  }
  return byteSize;
}

}  // namespace sorel
