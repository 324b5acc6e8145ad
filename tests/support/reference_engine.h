// A plain model of the engine written to read like its formulas: one sample
// at a time, one module after another, every intermediate rounded where the
// formulas round it, the split filter on an unbounded history. The shipped
// engine must match it bit for bit.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "exactmath.h"
#include "parameters.h"

namespace sorel::test {

// A module's gain written straight from its definition: 35^(amount - 1).
inline float modelGain(float amount) {
  return static_cast<float>(exactPow(kLnOf35, static_cast<double>(amount - 1.0f)));
}

struct RefOnePole {
  double b = 1.0, a = 0.0, y = 0.0, rate = 44100.0;
  void cutoff(double hz) {
    a = exactExp(-2.0 * 3.14159265358979323846 * hz / rate);
    b = 1.0 - a;
  }
};

struct RefModuleSet {
  static constexpr float kSaltA[7] = {0.08324003f, -1.72572f, -0.2036f, 3.22572f, -0.08006f, -1.6f, 0.12045f};
  static constexpr float kSaltB[7] = {0.08324003f, -0.80992f, -0.2036f, 0.53838f, -0.08006f, 0.00806f, 0.12045f};
  static constexpr float kSaltC[7] = {0.08324003f, -0.09599f, -0.2036f, -0.096f, -0.08006f, 0.064f, 0.12045f};
  static constexpr float kPepperA[7] = {0.5f, 0, -0.5f, 0, 0, 0, 0};
  static constexpr float kPepperB[7] = {0.82635f, 0, -1.20869f, 0, 0.46615f, 0, -0.08381f};
  static constexpr float kPepperC[7] = {0.71583f, 0, -3.42353f, 0, 5.19753f, 0, -2.48984f};
  static constexpr float kSugarA[7] = {1.14907f, 0, -1.82779f, 0, 0.67871f, 0, 0};
  static constexpr float kSugarB[7] = {1.18822f, 0, -2.15493f, 0, 1.27064f, 0, -0.30393f};
  static constexpr float kSugarC[7] = {1.59246f, 0, -4.71607f, 0, 5.17966f, 0, -2.05605f};

  int base = kStereoBase;
  float amount[4] = {}, flavourValue[4] = {0.5f, 0.5f, 0.5f, 0.5f};
  bool on[4] = {};
  float salt[7] = {}, pepper[7] = {}, sugar[7] = {}, k1 = 0, k2 = 0, k3 = 0, comp = 1;
  RefOnePole saltF[2], sugarF[2];

  static void blend(const float* A, const float* B, const float* C, float f, float g, float* out) {
    const float* first = f <= 0.5f ? A : B;
    const float* second = f <= 0.5f ? B : C;
    const float w2 = f <= 0.5f ? 2.0f * f : 2.0f * (f - 0.5f);
    const float w1 = 1.0f - w2;
    for (int k = 0; k < 7; ++k) out[k] = (first[k] * w1 + second[k] * w2) * g;
  }

  void recompute() {
    blend(kSaltA, kSaltB, kSaltC, 1.0f - flavourValue[0], modelGain(amount[0]), salt);
    blend(kPepperA, kPepperB, kPepperC, flavourValue[1], modelGain(amount[1]), pepper);
    const float g2 = modelGain(amount[2]);
    blend(kSugarA, kSugarB, kSugarC, flavourValue[2], g2, sugar);
    comp = 1.0f / (1.0f + 0.11f * g2);
    const float g3 = modelGain(amount[3]);
    const float f3 = 1.0f - flavourValue[3];
    k2 = (1.0f - f3) * g3;
    k3 = f3 * 0.33333334f * g3;
    k1 = k3 + k2;
  }

  void sugarCutoff() {
    for (auto& f : sugarF) f.cutoff(2700.0 + 1200.0 * static_cast<double>(flavourValue[2]));
  }

  void setParameter(int index, float v) {
    const int r = index - base, m = r / kParamsPerModule, role = r % kParamsPerModule;
    if (r < 0 || r >= kParamsPerSet || role > kModuleOn) return;
    if (role == kAmount) amount[m] = v;
    if (role == kFlavour) flavourValue[m] = v;
    if (role == kModuleOn) on[m] = v > 0.5f;
    recompute();
    if (m == kSugar && role != kModuleOn) sugarCutoff();
  }

  void setRate(double rate) {
    for (auto& f : saltF) f.rate = rate, f.cutoff(7.5);
    for (auto& f : sugarF) f.rate = rate;
    sugarCutoff();
  }

  float runSample(float x, int c) {
    if (amount[0] > 0.0f && on[0]) {
      const float lin = (1.0f + salt[0]) * x;
      float p = x * x;
      float P = salt[1] * p;
      for (int k = 2; k < 7; ++k) p = p * x, P = P + salt[k] * p;
      RefOnePole& f = saltF[c];
      f.y = static_cast<double>(P) * f.b + f.y * f.a;
      const float hp = static_cast<float>(static_cast<double>(P) - f.y);
      x = hp + lin;
    }
    if (amount[1] > 0.0f && on[1]) {
      float s = x + pepper[0] * x;
      float p = x * x;
      for (int k = 1; k < 7; ++k) s = s + pepper[k] * p, p = p * x;
      x = s;
    }
    if (amount[2] > 0.0f && on[2]) {
      float P = sugar[0] * x;
      float p = x * x;
      for (int k = 1; k < 7; ++k) P = P + sugar[k] * p, p = p * x;
      RefOnePole& f = sugarF[c];
      f.y = static_cast<double>(P) * f.b + f.y * f.a;
      const float t = static_cast<float>(f.y + static_cast<double>(x));
      x = t * comp;
    }
    if (amount[3] > 0.0f && on[3]) {
      const float m = std::fabs(x) * x;
      const float q = x * (m * x);
      x = k1 * x - k2 * m - k3 * q + x;
    }
    return x;
  }
};

// Whether two runs of samples are the same bit for bit (NaNs and signed zeros included).
inline bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](float x, float y) {
           return std::bit_cast<std::uint32_t>(x) == std::bit_cast<std::uint32_t>(y);
         });
}

// The whole engine, with its inputs given as the effect's current values.
struct RefEngine {
  RefModuleSet sets[3];
  int channels = 2;
  std::vector<float> history[2];  // every sample the split has seen, oldest first
  bool splitExists = false;

  RefEngine() {
    sets[0].base = kStereoBase;
    sets[1].base = kMidBase;
    sets[2].base = kSideBase;
    for (auto& s : sets) s.recompute();
  }

  static float gainOf(float v, bool wide) {
    float g = static_cast<float>(exactPow(wide ? kLnOf64 : kLnOf2, static_cast<double>(v)));
    g = g * (wide ? 0.125f : 0.70710677f);
    return g > 0.999f && g < 1.0001f ? 1.0f : g;
  }

  static float clampNaN(float v, bool& clip) {
    float c = v > 1.0f ? 1.0f : (v < -1.0f ? -1.0f : v);
    if (std::isnan(v)) c = 0.0f;
    clip = clip || !(c == v);
    return c;
  }

  // Processes with settings `p` (every parameter's current value). Returns the clip flag.
  bool process(const float* p, float** ch, int n) {
    if (p[kGlobalOn] < 0.5f) return false;
    const int count = channels;
    const int page = static_cast<int>(128.0f * p[kPage]);
    const float gin = gainOf(p[kVolIn], p[kInRange] > 0.5f);
    const float gout = gainOf(p[kVolOut], p[kOutRange] > 0.5f);
    const bool split = splitExists && p[kAntiAlias] >= 1.0f / 128.0f;
    bool clip = false;
    for (int i = 0; i < n; ++i) {
      float x[2] = {};
      float high[2] = {};
      for (int c = 0; c < count; ++c) {
        float v = ch[c][i];
        if (gin != 1.0f) v = v * gin;
        v = clampNaN(v, clip);
        if (split) {
          auto& h = history[c];
          h.push_back(v);
          const std::size_t t = h.size() - 1;
          auto at = [&](std::size_t back) { return back <= t ? h[t - back] : 0.0f; };
          float low = 0.0f;
          low = low + 0.25f * at(0);
          low = low + 0.5f * at(1);
          low = low + 0.25f * at(2);
          high[c] = at(1) - low;
          v = low;
        }
        x[c] = v;
      }
      if (page == 0) {
        for (int c = 0; c < count; ++c) x[c] = sets[0].runSample(x[c], c);
      } else if (page == 1 || page == 2) {
        if (count < 2) {
          x[0] = sets[1].runSample(x[0], 0);
        } else {
          float m = (x[0] + x[1]) * 0.5f;
          float s = (x[0] - x[1]) * 0.5f;
          m = sets[1].runSample(m, 0);
          s = sets[2].runSample(s, 0);
          x[0] = m + s;
          x[1] = m - s;
        }
      }
      for (int c = 0; c < count; ++c) {
        float v = x[c];
        if (split) v = high[c] + v;
        if (gout != 1.0f) v = v * gout;
        bool ignored = false;
        ch[c][i] = clampNaN(v, ignored);
      }
    }
    return clip;
  }
};

}  // namespace sorel::test
