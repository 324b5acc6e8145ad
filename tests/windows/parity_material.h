// The parity renders' input and settings: generated with IEEE basic
// operations only (an integer noise generator and a rotating phasor), so
// every build starts from the same bits.
#pragma once

#include <cstdint>
#include <vector>

namespace sorel::parity {

// Stereo material of `frames` frames: two tones and noise, left and right
// different, swelling to 1.6 so the input clamp acts near the end.
inline std::vector<std::vector<float>> material(int frames) {
  std::vector<std::vector<float>> x(2, std::vector<float>(static_cast<std::size_t>(frames)));
  std::uint32_t state = 12345u;
  double c = 1.0, s = 0.0;                                  // phasor at about 110 Hz (44.1 kHz)
  const double cosStep = 0.99987590, sinStep = 0.01567319;  // not exactly on the circle; renormalised
  for (int i = 0; i < frames; ++i) {
    const double nc = c * cosStep - s * sinStep;
    s = s * cosStep + c * sinStep;
    c = nc;
    const double norm = 1.5 - 0.5 * (c * c + s * s);  // one Newton step towards radius 1
    c *= norm, s *= norm;
    state = state * 1664525u + 1013904223u;
    const double noise = static_cast<double>(static_cast<std::int32_t>(state)) / 2147483648.0;
    const double swell = 0.2 + 1.4 * static_cast<double>(i) / frames;
    x[0][static_cast<std::size_t>(i)] = static_cast<float>(swell * (0.6 * c + 0.25 * (c * s) + 0.1 * noise));
    x[1][static_cast<std::size_t>(i)] = static_cast<float>(swell * (0.5 * s - 0.3 * c * c + 0.15 * noise));
  }
  return x;
}

struct Scenario {
  const char* name;
  float sampleRate;
  bool midSide;  // the page: Stereo set, or the Mid and Side sets
  bool splitBand;
  bool wideVolumes;
};

// Every module of every set, both pages, split-band on and off, three rates.
inline constexpr Scenario kScenarios[] = {
    {"stereo", 44100.0f, false, false, false},
    {"stereo-split", 48000.0f, false, true, true},
    {"midside", 44100.0f, true, false, true},
    {"midside-split", 96000.0f, true, true, false},
};

}  // namespace sorel::parity
