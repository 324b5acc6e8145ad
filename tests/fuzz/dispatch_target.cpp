// Fuzz entry point for the dispatcher and the other host calls: a series of
// calls with arbitrary opcode, index, value and float, each given the buffer a
// well-behaved host passes for that opcode (text buffers of the interface's
// sizes, chunks whose size is the one announced, event lists, arrangements).
// The editor opens off-screen. The effect is closed at the end as a host does.
#include <cmath>
#include <memory>
#include <vector>

#include "fuzzinput.h"
#include "platform/iplatform.h"
#include "plug.h"

namespace {

using sorel::fuzz::FuzzInput;

VstIntPtr VSTCALLBACK quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? kVstVersion : 0;
}

// A terminated text of at most `most` characters from the input.
std::vector<char> textFrom(FuzzInput& in, std::size_t most) {
  std::size_t n = 0;
  const std::uint8_t* bytes = in.takeBytes(in.take<std::uint8_t>() % (most + 1), n);
  std::vector<char> text(bytes, bytes + n);
  text.push_back(0);
  return text;
}

VstIntPtr dispatchOne(AEffect* e, FuzzInput& in) {
  const auto opcode = static_cast<VstInt32>(in.take<std::uint8_t>() % 80);
  const auto index = in.take<VstInt32>();
  const auto value = static_cast<VstIntPtr>(in.take<VstInt32>());
  const auto opt = in.take<float>();
  alignas(16) unsigned char scratch[1024] = {};  // room for any record the interface returns
  switch (opcode) {
    case effClose:
      return 0;  // only at the end
    case effEditGetRect:
    case effGetChunk: {
      void* out = nullptr;
      return e->dispatcher(e, opcode, index, value, &out, opt);
    }
    case effSetChunk: {
      std::size_t n = 0;
      const std::uint8_t* bytes = in.takeBytes(static_cast<std::size_t>(value) & 4095u, n);
      std::vector<unsigned char> chunk(bytes, bytes + n);
      return e->dispatcher(e, opcode, index, static_cast<VstIntPtr>(n), chunk.data(), opt);
    }
    case effSetProgramName:
    case effCanDo:
    case effString2Parameter: {
      auto text = textFrom(in, opcode == effSetProgramName ? 23 : 63);
      return e->dispatcher(e, opcode, index, value, text.data(), opt);
    }
    case effProcessEvents: {
      const int count = index & 3;
      VstMidiEvent midi[3] = {};
      struct {
        VstInt32 numEvents;
        VstIntPtr reserved;
        VstEvent* events[3];
      } list{count, 0, {}};
      for (int i = 0; i < count; ++i) {
        midi[i].type = in.take<std::uint8_t>() % 3;
        midi[i].byteSize = sizeof(VstMidiEvent);
        for (char& b : midi[i].midiData) b = in.take<char>();
        list.events[i] = reinterpret_cast<VstEvent*>(&midi[i]);
      }
      return e->dispatcher(e, opcode, 0, 0, &list, opt);
    }
    case effSetSpeakerArrangement: {
      VstSpeakerArrangement input{}, output{};
      input.numChannels = output.numChannels = index % 10;
      return e->dispatcher(e, opcode, 0, reinterpret_cast<VstIntPtr>(&input), &output, opt);
    }
    case effGetSpeakerArrangement: {
      VstSpeakerArrangement *input = nullptr, *output = nullptr;
      return e->dispatcher(e, opcode, 0, reinterpret_cast<VstIntPtr>(&input), &output, opt);
    }
    case effEditOpen:
      return e->dispatcher(e, opcode, index, value, nullptr, opt);  // off-screen
    default:
      return e->dispatcher(e, opcode, index, value, scratch, opt);
  }
}

// The material is one sine, made once; each call scales it by the input's level.
SOREL_FUZZ_UNTRACED void processOne(AEffect* e, FuzzInput& in) {
  constexpr int kMost = 8192;
  static const auto wave = [] {
    auto table = std::make_unique<float[]>(kMost);
    for (int i = 0; i < kMost; ++i) table[i] = std::sin(0.05f * static_cast<float>(i));
    return table;
  }();
  static float left[kMost], right[kMost];
  const int frames = in.take<std::uint16_t>() % (kMost + 1);
  const float level = in.take<float>();
  for (int i = 0; i < frames; ++i) left[i] = right[i] = level * wave[i];
  float* io[2] = {left, right};
  e->processReplacing(e, io, io, frames);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  VSTGUI::setPlatformBackEnd(VSTGUI::PlatformBackEnd::kOffscreen);
  FuzzInput in(data, size);
  AEffect* e = (new sorel::CPlug(quietHost))->getAeffect();
  for (int call = 0; call < 64 && !in.empty(); ++call) {
    const auto kind = in.take<std::uint8_t>() % 4;
    if (kind == 0) e->setParameter(e, in.take<std::uint8_t>() % 100, in.take<float>());
    if (kind == 1) (void)e->getParameter(e, in.take<std::uint8_t>() % 100);
    if (kind == 2) processOne(e, in);
    if (kind == 3) dispatchOne(e, in);
  }
  e->dispatcher(e, effEditClose, 0, 0, nullptr, 0.0f);
  e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
  return 0;
}
