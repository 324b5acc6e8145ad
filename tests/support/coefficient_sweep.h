// Every argument the engine passes to its exp and pow, or a dense sample of
// them: the amount exponents (every float amount - 1 is a multiple of 2^-24
// in [-1, 0]), the volume positions, and -2 pi f / rate for the filters'
// cutoffs at rates from 1 kHz to 1 MHz.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "exactmath.h"

namespace sorel::test {

// check(exact, libm): exact is the project's result, libm() computes the C
// library's for the same argument (only when called).
template <class Check>
void forEachCoefficient(Check&& check) {
  for (int j = -(1 << 24); j <= 0; j += 5) {
    const double y = std::ldexp(static_cast<double>(j), -24);
    check(exactPow(kLnOf35, y), [y] { return std::pow(35.0, y); });
  }
  for (std::uint32_t bits = 0; bits <= std::bit_cast<std::uint32_t>(1.0f); bits += 997) {
    const double v = std::bit_cast<float>(bits);
    check(exactPow(kLnOf2, v), [v] { return std::pow(2.0, v); });
    check(exactPow(kLnOf64, v), [v] { return std::pow(64.0, v); });
  }
  constexpr double kTwoPi = 2.0 * 3.14159265358979323846;
  for (std::uint32_t bits = std::bit_cast<std::uint32_t>(1000.0f); bits <= std::bit_cast<std::uint32_t>(1.0e6f);
       bits += 101) {
    const double rate = std::bit_cast<float>(bits);
    for (double hz : {7.5, 2700.0, 3300.0, 3900.0}) {
      const double x = -kTwoPi * hz / rate;
      check(exactExp(x), [x] { return std::exp(x); });
    }
  }
}

// A digest of every bit of the project's results over the sweep.
inline std::uint64_t coefficientDigest() {
  std::uint64_t digest = 14695981039346656037ull;
  forEachCoefficient(
      [&](double value, const auto&) { digest = (digest ^ std::bit_cast<std::uint64_t>(value)) * 1099511628211ull; });
  return digest;
}

}  // namespace sorel::test
