// Runs the preset fuzz entry point without a fuzzing engine over a fixed
// series of random and mutated inputs, so ordinary builds exercise it too.
// (The committed corpus and any findings are replayed by tests/fuzz.)
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <random>
#include <vector>

#include "preset.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<unsigned char>;

// Raw engine output only: the distributions' results differ between standard libraries.
class Source {
 public:
  std::uint32_t next() { return static_cast<std::uint32_t>(engine()); }
  std::size_t below(std::size_t n) { return n == 0 ? 0 : next() % n; }
  unsigned char byte() { return static_cast<unsigned char>(next()); }

 private:
  std::mt19937 engine{20240611u};
};

sorel::host::Preset randomPreset(Source& rng) {
  sorel::host::Preset p;
  p.kind = rng.below(2) ? sorel::host::PresetKind::kBank : sorel::host::PresetKind::kProgram;
  p.uniqueID = static_cast<VstInt32>(rng.next());
  p.pluginVersion = static_cast<VstInt32>(rng.next());
  p.count = static_cast<VstInt32>(rng.below(200));
  if (p.kind == sorel::host::PresetKind::kBank) {
    p.currentProgram = static_cast<VstInt32>(rng.below(200));
  } else {
    p.programName.resize(rng.below(32));
    for (char& c : p.programName) c = static_cast<char>(rng.below(2) ? 'a' + rng.below(26) : rng.byte());
  }
  p.chunk.resize(rng.below(64));
  for (unsigned char& c : p.chunk) c = rng.byte();
  return p;
}

// Damage aimed at the fields that decide acceptance, plus plain noise.
void mutate(Bytes& b, Source& rng) {
  static const std::uint32_t interesting[] = {0, 1, 2, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFF8, 60, 160};
  const std::size_t rounds = 1 + rng.below(3);
  for (std::size_t r = 0; r < rounds && !b.empty(); ++r) {
    switch (rng.below(6)) {
      case 0:
        b[rng.below(b.size())] ^= static_cast<unsigned char>(1u << rng.below(8));
        break;
      case 1:
        b[rng.below(b.size())] = rng.byte();
        break;
      case 2: {
        const std::size_t at = 4 * rng.below(b.size() / 4);
        const std::uint32_t v = interesting[rng.below(std::size(interesting))];
        for (std::size_t i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (24 - 8 * i));
        break;
      }
      case 3:
        b.resize(rng.below(b.size() + 1));
        break;
      case 4: {
        // Drawn one after the other: argument order would differ between compilers.
        const std::size_t at = rng.below(b.size() + 1);
        b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), rng.byte());
        break;
      }
      default: {
        // Swap the type for one of the other kinds, keeping the rest.
        static const char* const types[] = {"FPCh", "FBCh", "FxCk", "FxBk"};
        if (b.size() >= 12) std::copy_n(types[rng.below(4)], 4, b.begin() + 8);
        break;
      }
    }
  }
}

}  // namespace

int main() {
  Source rng;
  std::size_t accepted = 0;
  constexpr int kInputs = 20000;
  for (int i = 0; i < kInputs; ++i) {
    Bytes b;
    if (i % 4 == 0) {
      b.resize(rng.below(200));
      for (unsigned char& c : b) c = rng.byte();
    } else {
      b = sorel::host::encodePreset(randomPreset(rng));
      if (i % 4 != 1) mutate(b, rng);
    }
    LLVMFuzzerTestOneInput(b.data(), b.size());
    sorel::host::Preset p;
    if (sorel::host::decodePreset(b.data(), b.size(), p, nullptr)) ++accepted;
  }
  std::printf("%d inputs, %zu accepted\n", kInputs, accepted);
  // Valid images go in unmutated, so none accepted means the reader refuses everything.
  return accepted >= kInputs / 4 ? 0 : 1;
}
