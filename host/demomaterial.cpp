#include "demomaterial.h"

#include <cmath>
#include <random>

namespace sorel::host {
namespace {

constexpr double kTwoPi = 6.283185307179586;

}  // namespace

std::vector<float> demoMaterial(int sampleRate, double seconds) {
  const auto frames = static_cast<std::size_t>(seconds * sampleRate);
  std::vector<float> out(frames * 2);
  std::mt19937 random(2026);
  std::uniform_real_distribution<double> noise(-1.0, 1.0);
  const double rate = sampleRate;
  const double beat = 0.5;  // 120 bpm
  const double bassNotes[] = {55.0, 55.0, 73.42, 65.41};
  const double chord[] = {220.0, 277.18, 329.63, 415.30};
  double hatState = 0.0;
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double inBeat = std::fmod(t, beat);
    const int beatIndex = static_cast<int>(t / beat);
    // Kick on every beat: a falling sine with a fast decay.
    const double kickFreq = 45.0 + 90.0 * std::exp(-inBeat * 30.0);
    const double kick = 0.9 * std::sin(kTwoPi * kickFreq * inBeat) * std::exp(-inBeat * 9.0);
    // Snare on two and four: noise and a tone, centred.
    const double snare =
        beatIndex % 2 ? (0.35 * noise(random) + 0.25 * std::sin(kTwoPi * 190.0 * inBeat)) * std::exp(-inBeat * 22.0)
                      : 0.0;
    // Bass: a rounded saw, one note a bar.
    const double f = bassNotes[(beatIndex / 4) % 4];
    double bass = 0.0;
    for (int h = 1; h <= 6; ++h) bass += std::sin(kTwoPi * f * h * t) / (h * h);
    bass *= 0.35;
    // Hats on the off-beats: high-passed noise, panned right of centre.
    const double offBeat = std::fmod(t + beat / 2, beat);
    const double n = noise(random);
    const double hat = (n - hatState) * 0.12 * std::exp(-offBeat * 60.0);
    hatState = n;
    // A pad whose voices differ between left and right: the wide image.
    double padL = 0.0, padR = 0.0;
    for (int v = 0; v < 4; ++v) {
      padL += std::sin(kTwoPi * chord[v] * 1.003 * t + v);
      padR += std::sin(kTwoPi * chord[v] * 0.997 * t + 2.0 * v);
    }
    const double swell = 0.06 * (1.0 - std::cos(kTwoPi * t / 8.0));
    // Mixed to peak a little below full scale before mastering.
    out[2 * i] = static_cast<float>(0.5 * (kick + snare + bass + 0.6 * hat + swell * padL));
    out[2 * i + 1] = static_cast<float>(0.5 * (kick + snare + bass + 1.0 * hat + swell * padR));
  }
  return out;
}

std::vector<Setting> demoSettings() {
  return {{"page", "ms"},        {"aa", "splitfir"},           {"vol.in", "1dB"},     {"vol.out", "-0.5dB"},
          {"mid.salt", "0.55"},  {"mid.salt.flavour", "0.4"},  {"mid.pepper", "0.6"}, {"mid.pepper.flavour", "0.3"},
          {"mid.sugar", "0.45"}, {"mid.sugar.flavour", "0.6"}, {"mid.chili", "0.35"}, {"mid.chili.flavour", "0.7"},
          {"side.salt", "0.3"},  {"side.pepper", "0.4"},       {"side.sugar", "0.5"}, {"side.sugar.flavour", "0.8"},
          {"side.chili", "0.6"}, {"side.chili.flavour", "0.2"}};
}

}  // namespace sorel::host
