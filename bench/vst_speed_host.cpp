// Times a built plug-in library from outside (thread CPU time), through the
// VST 2.4 interface alone, as a host would run it: the full Stereo chain (or, with "ms", the
// M/S chain) with split-band on, at 48 kHz, for a given block size. Prints ns
// per stereo frame, the real-time factor and a hash of every output sample's
// bits, so the same library built for Linux and for Windows (run under Wine)
// can be compared sample for sample. Builds natively and with mingw-w64:
//   vst-speed-host LIBRARY [BLOCK [ms]]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "aeffect.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <time.h>
#endif

namespace {

using EntryPoint = AEffect*(VSTCALLBACK*)(audioMasterCallback);

VstIntPtr VSTCALLBACK hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

EntryPoint loadEntry(const char* path) {
#ifdef _WIN32
  HMODULE library = LoadLibraryA(path);
  return library ? reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(library, "VSTPluginMain")))
                 : nullptr;
#else
  void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  return library ? reinterpret_cast<EntryPoint>(dlsym(library, "VSTPluginMain")) : nullptr;
#endif
}

// CPU time of this thread: the machine may be shared, and time spent waiting
// for a core is not the plug-in's.
double cpuSeconds() {
#ifdef _WIN32
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  const auto ticks = [](FILETIME t) { return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7;
#else
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
#endif
}

// A fixed signal (a rounded wave plus a cheap deterministic noise) that every
// build reproduces bit for bit.
float material(std::uint32_t& state, std::size_t i, float phase) {
  state = state * 1664525u + 1013904223u;
  const float noise = static_cast<float>(state >> 8) * (1.0f / 16777216.0f) - 0.5f;
  const auto t = static_cast<float>((i * 37 + static_cast<std::size_t>(phase * 500.0f)) % 1000) / 500.0f - 1.0f;
  return 0.5f * t * (2.0f - (t < 0.0f ? -t : t)) + 0.4f * noise;  // a rounded triangle, no library maths
}

// A fresh instance with every module of the chosen page on.
AEffect* openEffect(EntryPoint entry, int block, bool midSide) {
  AEffect* effect = entry(hostCallback);
  if (!effect) return nullptr;
  effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  effect->dispatcher(effect, effSetBlockSize, 0, block, nullptr, 0.0f);
  effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
  // Page, split-band, input volume; then every module of the sets in use.
  effect->setParameter(effect, 1, midSide ? 1.0f / 128.0f : 0.0f);
  effect->setParameter(effect, 86, 1.0f / 128.0f);
  effect->setParameter(effect, 2, 0.6f);
  for (int base : {12, 36, 60})
    for (int m = 0; m < 4; ++m) {
      const bool on = midSide ? base != 12 : base == 12;
      effect->setParameter(effect, base + 6 * m, on ? 0.7f : 0.0f);
      effect->setParameter(effect, base + 6 * m + 1, 0.3f);
      effect->setParameter(effect, base + 6 * m + 2, 1.0f);
    }
  return effect;
}

// One minute of audio in blocks; hashes every output sample's bits when asked
// (the timed run does not). Returns the seconds taken.
double run(AEffect* effect, int block, std::uint64_t* hash) {
  const std::size_t length = 1 << 16;
  std::vector<float> left(length), right(length);
  std::uint32_t state = 1;
  for (std::size_t i = 0; i < length; ++i) left[i] = material(state, i, 0.0f), right[i] = material(state, i, 1.0f);
  std::vector<float> outLeft(static_cast<std::size_t>(block)), outRight(static_cast<std::size_t>(block));
  const std::size_t frames = 48000 * 60;
  const double start = cpuSeconds();
  for (std::size_t done = 0; done < frames; done += static_cast<std::size_t>(block)) {
    const std::size_t at = done % (length - static_cast<std::size_t>(block));
    float* inputs[2] = {left.data() + at, right.data() + at};
    float* outputs[2] = {outLeft.data(), outRight.data()};
    effect->processReplacing(effect, inputs, outputs, block);
    if (hash)
      for (int i = 0; i < block; ++i)
        for (float v : {outLeft[static_cast<std::size_t>(i)], outRight[static_cast<std::size_t>(i)]}) {
          std::uint32_t bits;
          std::memcpy(&bits, &v, sizeof bits);
          *hash = (*hash ^ bits) * 1099511628211ull;
        }
  }
  return cpuSeconds() - start;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s LIBRARY [BLOCK [ms]]\n", argv[0]);
    return 2;
  }
  const int block = argc > 2 ? std::atoi(argv[2]) : 512;
  const bool midSide = argc > 3 && std::strcmp(argv[3], "ms") == 0;
  const EntryPoint entry = loadEntry(argv[1]);
  AEffect* timed = entry && block > 0 ? openEffect(entry, block, midSide) : nullptr;
  if (!timed) {
    std::fprintf(stderr, "cannot load %s\n", argv[1]);
    return 1;
  }
  const double seconds = run(timed, block, nullptr);
  timed->dispatcher(timed, effClose, 0, 0, nullptr, 0.0f);
  AEffect* hashed = openEffect(entry, block, midSide);
  std::uint64_t hash = 1469598103934665603ull;
  run(hashed, block, &hash);
  hashed->dispatcher(hashed, effClose, 0, 0, nullptr, 0.0f);

  const std::size_t blocks = (48000 * 60 + static_cast<std::size_t>(block) - 1) / static_cast<std::size_t>(block);
  const double frames = static_cast<double>(blocks) * block;
  std::printf("%s block %d %s: %.2f ns/frame, %.0fx real time, hash %016llx\n", argv[1], block,
              midSide ? "M/S" : "Stereo", seconds * 1e9 / frames, frames / 48000.0 / seconds,
              static_cast<unsigned long long>(hash));
  return 0;
}
