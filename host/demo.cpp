// sorel-demo: loads the Sorel plug-in like a host, prints what a host sees of
// it and runs a generated test signal through it.
//   sorel-demo [path/to/sorel.so]
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "host.h"

namespace {

using sorel::host::Host;
using sorel::host::HostedEffect;
using sorel::host::PluginLibrary;

std::string fourCC(VstInt32 id) {
  std::string s;
  for (int shift = 24; shift >= 0; shift -= 8) s += static_cast<char>((id >> shift) & 0xFF);
  return s;
}

void printIdentity(HostedEffect& fx) {
  AEffect* e = fx.effect();
  std::printf("%s by %s (product %s), vendor version %ld, VST %ld, unique ID '%s'\n", fx.effectName().c_str(),
              fx.vendorString().c_str(), fx.productString().c_str(),
              static_cast<long>(fx.dispatch(effGetVendorVersion)), static_cast<long>(fx.dispatch(effGetVstVersion)),
              fourCC(e->uniqueID).c_str());
  std::printf("%d inputs, %d outputs, %d program(s) (\"%s\"), %d parameters, flags %d, latency %d\n\n", e->numInputs,
              e->numOutputs, e->numPrograms, fx.programName().c_str(), e->numParams, e->flags, e->initialDelay);
}

void printParameters(HostedEffect& fx) {
  std::printf("%-5s %-16s %-10s %s\n", "index", "name", "value", "display");
  for (int i = 0; i < fx.numParams(); ++i)
    std::printf("%-5d %-16s %-10.6f %s\n", i, fx.paramName(i).c_str(), static_cast<double>(fx.getParameter(i)),
                fx.paramDisplay(i).c_str());
  std::printf("\n");
}

// Two seconds of a bass tone and a higher partial per channel, peaking above
// full scale so the input clamp has something to do.
std::vector<std::vector<float>> testSignal(double rate, int frames) {
  std::vector<std::vector<float>> ch(2, std::vector<float>(static_cast<std::size_t>(frames)));
  const double twoPi = 6.283185307179586;
  for (int i = 0; i < frames; ++i) {
    const double t = i / rate;
    const double envelope = std::min(1.0, t * 4.0);
    ch[0][static_cast<std::size_t>(i)] =
        static_cast<float>(envelope * (0.8 * std::sin(twoPi * 55.0 * t) + 0.45 * std::sin(twoPi * 1760.0 * t)));
    ch[1][static_cast<std::size_t>(i)] =
        static_cast<float>(envelope * (0.8 * std::sin(twoPi * 55.0 * t + 0.3) + 0.3 * std::sin(twoPi * 2490.0 * t)));
  }
  return ch;
}

struct Level {
  double peak = 0.0;
  double rms = 0.0;
};

Level measure(const std::vector<float>& x) {
  Level l;
  double sum = 0.0;
  for (float v : x) {
    l.peak = std::max(l.peak, static_cast<double>(std::fabs(v)));
    sum += static_cast<double>(v) * v;
  }
  l.rms = std::sqrt(sum / static_cast<double>(x.size()));
  return l;
}

double dB(double v) { return v > 0.0 ? 20.0 * std::log10(v) : -INFINITY; }

void processSignal(HostedEffect& fx) {
  const float rate = 48000.0f;
  const int block = 512;
  const int frames = 2 * static_cast<int>(rate);
  fx.start(rate, block);
  fx.setParameter(2, 0.8f);            // vol in +1.8 dB
  fx.setParameter(1, 1.0f / 128.0f);   // the M/S page
  fx.setParameter(86, 1.0f / 128.0f);  // split-band on

  auto in = testSignal(rate, frames);
  std::vector<std::vector<float>> out(2, std::vector<float>(static_cast<std::size_t>(frames)));
  for (int offset = 0; offset < frames; offset += block) {
    float* inputs[2] = {in[0].data() + offset, in[1].data() + offset};
    float* outputs[2] = {out[0].data() + offset, out[1].data() + offset};
    fx.processReplacing(inputs, outputs, std::min(block, frames - offset));
  }
  std::printf("Processed %d frames at %.0f Hz in blocks of %d (vol in %s, page M/S, split-band on):\n", frames,
              static_cast<double>(rate), block, fx.paramDisplay(2).c_str());
  for (int c = 0; c < 2; ++c) {
    const Level a = measure(in[static_cast<std::size_t>(c)]);
    const Level b = measure(out[static_cast<std::size_t>(c)]);
    std::printf("  channel %d: in peak %+.2f dBFS rms %+.2f dBFS -> out peak %+.2f dBFS rms %+.2f dBFS\n", c,
                dB(a.peak), dB(a.rms), dB(b.peak), dB(b.rms));
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : SOREL_DEFAULT_PLUGIN;
  std::string error;
  auto library = PluginLibrary::open(path, &error);
  if (!library) {
    std::fprintf(stderr, "sorel-demo: %s\n", error.c_str());
    return 1;
  }
  Host host;
  auto fx = HostedEffect::create(library, host, &error);
  if (!fx) {
    std::fprintf(stderr, "sorel-demo: %s\n", error.c_str());
    return 1;
  }
  printIdentity(*fx);
  printParameters(*fx);
  processSignal(*fx);
  return 0;
}
