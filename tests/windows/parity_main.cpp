// sorel-parity PLUGIN OUTDIR [REFERENCE_DIR]
// Loads a plug-in library through host/, checks its identity, parameter count
// and a chunk round trip, then renders fixed material with fixed settings
// (automated while it plays) to OUTDIR/<scenario>.f32 (interleaved floats).
// With REFERENCE_DIR, every render must equal the file of the same name there
// bit for bit. Exit status 0 only if every check passed.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host.h"
#include "param_index.h"
#include "parity_material.h"

namespace {

using namespace sorel;
using sorel::host::HostedEffect;
using sorel::parity::Scenario;

constexpr int kBlock = 96, kFrames = 88200;
int failures = 0;

void fail(const std::string& what) {
  std::printf("FAIL: %s\n", what.c_str());
  ++failures;
}

// The settings before playback: every module of the page's sets on, each
// with its own amount and flavour.
void configure(HostedEffect& fx, const Scenario& s) {
  fx.setParameter(kGlobalOn, 1.0f);  // on
  fx.setParameter(kPage, s.midSide ? kWholeStep : 0.0f);
  fx.setParameter(kInRange, s.wideVolumes ? 1.0f : 0.0f);
  fx.setParameter(kOutRange, s.wideVolumes ? 1.0f : 0.0f);
  fx.setParameter(kVolIn, 0.62f);
  fx.setParameter(kVolOut, 0.41f);
  fx.setParameter(kAntiAlias, s.splitBand ? kWholeStep : 0.0f);
  for (int base : {kStereoBase, kMidBase, kSideBase})
    for (int m = 0; m < 4; ++m) {
      fx.setParameter(test::moduleParam(base, m),
                      0.3f + 0.17f * static_cast<float>(m) + 0.001f * static_cast<float>(base));
      fx.setParameter(test::moduleParam(base, m, test::kFlavour),
                      0.9f - 0.23f * static_cast<float>(m) + 0.002f * static_cast<float>(base));
      fx.setParameter(test::moduleParam(base, m, test::kOn), 1.0f);
    }
}

// A second instance restored from the first one's chunk must hold the same
// values and give back the same chunk.
std::unique_ptr<HostedEffect> restoredCopy(HostedEffect& original, std::shared_ptr<sorel::host::PluginLibrary> lib,
                                           sorel::host::Host& host) {
  std::string error;
  auto copy = HostedEffect::create(lib, host, &error);
  if (!copy) return fail("second instance: " + error), nullptr;
  const auto chunk = original.getChunk();
  if (chunk.empty() || copy->setChunk(chunk) == 0) fail("the chunk was refused");
  for (int i = 0; i < kNumParams; ++i)
    if (copy->getParameter(i) != original.getParameter(i)) fail("parameter " + std::to_string(i) + " after the chunk");
  if (copy->getChunk() != chunk) fail("the restored instance gives back a different chunk");
  return copy;
}

float fraction(float x) { return x - static_cast<float>(static_cast<int>(x)); }

std::vector<float> render(HostedEffect& fx, const Scenario& s) {
  fx.start(s.sampleRate, kBlock);
  const auto in = sorel::parity::material(kFrames);
  std::vector<std::vector<float>> out(2, std::vector<float>(kFrames));
  const ParamIndex base = s.midSide ? kMidBase : kStereoBase;
  for (int at = 0, block = 0; at < kFrames; at += kBlock, ++block) {
    // Automation before every block: every amount, flavour and volume of the
    // page moves, so the coefficients are computed from thousands of
    // different arguments (a C library's exp and pow differ from another's in
    // the last bit for a few of them).
    const float sweep = static_cast<float>(block) * 0.618034f;
    for (int set : {base, kSideBase}) {
      if (set == kSideBase && !s.midSide) break;
      for (int m = 0; m < 4; ++m) {
        fx.setParameter(test::moduleParam(set, m),
                        fraction(sweep * static_cast<float>(m + 1) + 0.1f * static_cast<float>(set)));
        fx.setParameter(test::moduleParam(set, m, test::kFlavour),
                        fraction(sweep * 0.37f * static_cast<float>(m + 2) + 0.01f * static_cast<float>(set)));
      }
    }
    fx.setParameter(kVolIn, 0.2f + 0.5f * fraction(sweep * 0.11f));
    fx.setParameter(kVolOut, 0.3f + 0.6f * fraction(sweep * 0.07f));
    const int n = std::min(kBlock, kFrames - at);
    float* inputs[2] = {const_cast<float*>(in[0].data()) + at, const_cast<float*>(in[1].data()) + at};
    float* outputs[2] = {out[0].data() + at, out[1].data() + at};
    fx.processReplacing(inputs, outputs, n);
  }
  std::vector<float> interleaved;
  for (int i = 0; i < kFrames; ++i) interleaved.insert(interleaved.end(), {out[0][i], out[1][i]});
  return interleaved;
}

void compare(const std::vector<float>& got, const std::string& referencePath, const char* name) {
  std::ifstream file(referencePath, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.size() != got.size() * sizeof(float)) return fail(std::string(name) + ": no reference at " + referencePath);
  std::vector<float> ref(got.size());
  std::memcpy(ref.data(), bytes.data(), bytes.size());
  std::size_t differ = 0;
  double largest = 0.0;
  for (std::size_t i = 0; i < got.size(); ++i)
    if (std::memcmp(&got[i], &ref[i], sizeof(float)) != 0) {
      ++differ;
      largest = std::max(largest, static_cast<double>(got[i] > ref[i] ? got[i] - ref[i] : ref[i] - got[i]));
    }
  if (differ)
    fail(std::string(name) + ": " + std::to_string(differ) + " of " + std::to_string(got.size()) +
         " samples differ from the reference, by up to " + std::to_string(largest));
  else
    std::printf("%s: %zu samples, bit for bit equal to the reference\n", name, got.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return std::fprintf(stderr, "usage: sorel-parity PLUGIN OUTDIR [REFERENCE_DIR]\n"), 2;
  std::string error;
  auto lib = sorel::host::PluginLibrary::open(argv[1], &error);
  if (!lib) return std::printf("FAIL: %s\n", error.c_str()), 1;
  sorel::host::Host host;
  for (const Scenario& s : sorel::parity::kScenarios) {
    auto fx = HostedEffect::create(lib, host, &error);
    if (!fx) return std::printf("FAIL: %s\n", error.c_str()), 1;
    const AEffect* e = fx->effect();
    if (e->uniqueID != 0x534F524C || e->numParams != kNumParams || e->numInputs != 2 || e->numOutputs != 2)
      fail("identity: id " + std::to_string(e->uniqueID) + ", " + std::to_string(e->numParams) + " parameters");
    if (fx->effectName().empty() || fx->vendorString().empty()) fail("no effect or vendor name");
    configure(*fx, s);
    auto copy = restoredCopy(*fx, lib, host);
    if (!copy) continue;
    const auto out = render(*copy, s);
    const std::string path = std::string(argv[2]) + "/" + s.name + ".f32";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size() * sizeof(float)));
    if (argc > 3) compare(out, std::string(argv[3]) + "/" + s.name + ".f32", s.name);
  }
  std::printf("%s: %s\n", argv[1], failures ? "FAILED" : "identity, 87 parameters, chunk round trip: ok");
  return failures ? 1 : 0;
}
