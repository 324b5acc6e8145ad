// --oversample: the plug-in at 2x or 4x the rate aliases less, and the
// round trip through libsoxr keeps the file's length and alignment.
#include "delivery_signals.h"
#include "render_fixture.h"

namespace sorel::test {
namespace {

// What is left of `x` (mono) over [from, to) once its mean (the shaping's DC)
// and the sine at `frequency` are taken out, in dB relative to the sine. The
// span must hold whole periods, so that the mean, the sine and the cosine are
// orthogonal there.
double residualDb(const std::vector<float>& x, double frequency, int rate, std::size_t from, std::size_t to) {
  const double n = static_cast<double>(to - from);
  double sum = 0, power = 0, xs = 0, xc = 0;
  for (std::size_t i = from; i < to; ++i) {
    const double phase = 2.0 * std::numbers::pi * frequency * static_cast<double>(i) / rate;
    sum += x[i], power += double(x[i]) * x[i], xs += x[i] * std::sin(phase), xc += x[i] * std::cos(phase);
  }
  const double tone = 2.0 * (xs * xs + xc * xc) / n;
  return 10.0 * std::log10((power - sum * sum / n - tone) / tone);
}

TEST_F(Render, OversamplingKeepsAlignmentAndReducesAliasing) {
  constexpr int kRate = 44100, kFrames = 44100;
  // Neutral settings, the split path on: the round trip nulls against the input.
  const std::vector<float> low = sine(kFrames, kRate, 1000.0, 0.5, 1);
  const std::string lowIn = writeAudio("low.wav", low, 1);
  for (const char* factor : {"2", "4"}) {
    render(std::string("-q --no-report --type float -s aa=splitfir --oversample ") + factor + " " + lowIn + " -o " +
           path("low-out.wav"));
    const std::vector<float> out = readAudio(path("low-out.wav"));
    ASSERT_EQ(out.size(), low.size()) << factor;
    double worst = 0.0;
    for (std::size_t i = 2000; i + 2000 < out.size(); ++i) worst = std::max(worst, std::abs(double(out[i]) - low[i]));
    EXPECT_LT(worst, 1e-4) << factor;  // -74 dB of the sine; a frame's misalignment would give 0.07
  }
  // A high sine through strong shaping: its harmonics lie above the band, so
  // everything but the sine in the output is aliasing.
  const std::string highIn = writeAudio("high.wav", sine(kFrames, kRate, 15000.0, 0.7, 1), 1);
  double alias[3] = {};
  const char* factors[] = {"1", "2", "4"};
  for (int k = 0; k < 3; ++k) {
    render(std::string("-q --no-report --type float -s stereo.chili=100% -s stereo.salt=100% --oversample ") +
           factors[k] + " " + highIn + " -o " + path("high-out.wav"));
    // 147 frames hold 50 periods of 15 kHz at 44.1 kHz.
    alias[k] = residualDb(readAudio(path("high-out.wav")), 15000.0, kRate, 4000, 4000 + 147 * 245);
  }
  std::printf("alias products below the sine: %.1f dB at 1x, %.1f dB at 2x, %.1f dB at 4x\n", alias[0], alias[1],
              alias[2]);
  EXPECT_LT(alias[1], alias[0] - 15.0);
  EXPECT_LT(alias[2], alias[1] - 10.0);
}

}  // namespace
}  // namespace sorel::test
