// Fuzz entry point for the effect's state chunk: any bytes at any size go to
// setChunk. Whatever the effect then holds must travel through its own chunk
// to a fresh instance unchanged, and it must still process.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <vector>

#include "fuzzinput.h"
#include "plug.h"

namespace {

VstIntPtr VSTCALLBACK quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? kVstVersion : 0;
}

std::vector<unsigned char> chunkOf(sorel::CPlug& plug) {
  void* data = nullptr;
  const VstInt32 size = plug.getChunk(&data, false);
  const auto* bytes = static_cast<const unsigned char*>(data);
  return {bytes, bytes + size};
}

}  // namespace

// Building an effect (and its editor) costs far more than a chunk, so two
// instances live for the whole run. Each input starts from the same values
// and stores, the chunk of a fresh instance: an input that left them
// otherwise (most do; a chunk refused part-way keeps what it had applied) is
// undone by setting that chunk again before the next. One refused before
// anything was applied leaves nothing to undo or to carry to the other.
struct Instances {
  Instances() {
    for (auto* plug : {&fuzzed, &other}) {
      *plug = std::make_unique<sorel::CPlug>(quietHost);
      (*plug)->setEditorLink(nullptr);
      (*plug)->setSampleRate(44100.0f);
      (*plug)->setBlockSize(kFrames);
      (*plug)->resume();
    }
    start = chunkOf(*fuzzed);
    for (int i = 0; i < kFrames; ++i) signal[i] = 0.9f * std::sin(0.3f * static_cast<float>(i));
  }
  void restart() {
    if (!changed) return;
    fuzzed->setChunk(start.data(), static_cast<VstInt32>(start.size()), false);
    changed = false;
  }
  static constexpr int kFrames = 64;
  std::unique_ptr<sorel::CPlug> fuzzed;
  std::unique_ptr<sorel::CPlug> other;
  std::vector<unsigned char> start;
  bool changed = false;
  float signal[kFrames];
};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using sorel::fuzz::broken;
  static Instances instances;
  instances.restart();
  sorel::CPlug& plug = *instances.fuzzed;
  std::vector<unsigned char> copy(data, data + size);  // exactly `size` bytes, so reading past them is caught
  const VstInt32 answer = plug.setChunk(copy.data(), static_cast<VstInt32>(size), (size & 1) != 0);
  if (answer != 0 && answer != static_cast<VstInt32>(size)) broken("chunk", "answer is neither 0 nor the size");

  const auto held = chunkOf(plug);
  instances.changed = held != instances.start;
  if (instances.changed) {
    sorel::CPlug& other = *instances.other;
    if (other.setChunk(const_cast<unsigned char*>(held.data()), static_cast<VstInt32>(held.size()), false) !=
        static_cast<VstInt32>(held.size()))
      broken("chunk", "own chunk refused");
    if (chunkOf(other) != held) broken("chunk", "own chunk did not round-trip");
  }

  float left[Instances::kFrames], right[Instances::kFrames];
  std::copy(std::begin(instances.signal), std::end(instances.signal), left);
  std::copy(std::begin(instances.signal), std::end(instances.signal), right);
  float* io[2] = {left, right};
  plug.processReplacing(io, io, Instances::kFrames);
  return 0;
}
