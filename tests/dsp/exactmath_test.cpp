// The coefficients' own exp and pow: close to the C library where it is
// glibc, and the same bits on every build (the Windows builds run this too).
#include "exactmath.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>

namespace sorel::test {
namespace {

constexpr double kTwoPi = 2.0 * 3.14159265358979323846;

// Every argument the engine can pass, or a dense sample of them: the
// amount exponents (every float amount - 1 is a multiple of 2^-24 in
// [-1, 0]), the volume positions, and -2 pi f / rate for the filters'
// cutoffs at rates from 1 kHz to 1 MHz.
void forEachCoefficient(const std::function<void(double value, double libm)>& check) {
  for (int j = -(1 << 24); j <= 0; j += 5) {
    const double y = std::ldexp(static_cast<double>(j), -24);
    check(exactPow(kLnOf35, y), std::pow(35.0, y));
  }
  for (std::uint32_t bits = 0; bits <= std::bit_cast<std::uint32_t>(1.0f); bits += 997) {
    const double v = std::bit_cast<float>(bits);
    check(exactPow(kLnOf2, v), std::pow(2.0, v));
    check(exactPow(kLnOf64, v), std::pow(64.0, v));
  }
  for (std::uint32_t bits = std::bit_cast<std::uint32_t>(1000.0f); bits <= std::bit_cast<std::uint32_t>(1.0e6f);
       bits += 101) {
    const double rate = std::bit_cast<float>(bits);
    for (double hz : {7.5, 2700.0, 3300.0, 3900.0}) {
      const double x = -kTwoPi * hz / rate;
      check(exactExp(x), std::exp(x));
    }
  }
}

std::int64_t ulpsApart(double a, double b) {
  return std::abs(std::bit_cast<std::int64_t>(a) - std::bit_cast<std::int64_t>(b));
}

TEST(ExactMath, WithinOneUlpOfGlibcOverTheEngineRanges) {
#if !defined(__GLIBC__)
  GTEST_SKIP() << "the accuracy reference is glibc's exp and pow";
#endif
  std::int64_t worst = 0, count = 0;
  forEachCoefficient([&](double value, double libm) {
    worst = std::max(worst, ulpsApart(value, libm));
    ++count;
  });
  EXPECT_LE(worst, 1) << "over " << count << " arguments";
}

// A digest of every bit of the results above. The Linux build and both
// Windows builds must print and accept the same value; a change to the
// functions must change it deliberately.
TEST(ExactMath, SameBitsOnEveryBuild) {
  std::uint64_t digest = 14695981039346656037ull;
  forEachCoefficient(
      [&](double value, double) { digest = (digest ^ std::bit_cast<std::uint64_t>(value)) * 1099511628211ull; });
  EXPECT_EQ(digest, 8684435237475699158ull) << std::hex << digest;
}

TEST(ExactMath, ExactPointsAndTheEdgesOfTheRange) {
  EXPECT_EQ(exactExp(0.0), 1.0);
  EXPECT_EQ(exactPow(kLnOf35, 0.0), 1.0);
  EXPECT_EQ(exactPow(kLnOf2, 1.0), 2.0);
  EXPECT_EQ(exactPow(kLnOf2, -1.0), 0.5);
  EXPECT_EQ(exactPow(kLnOf64, 0.5), 8.0);
  EXPECT_EQ(exactPow(kLnOf35, -1.0), 1.0 / 35.0);
  // Far ends: the largest finite results, overflow, the subnormal range
  // (rounded once, so still within an ulp), underflow to zero and NaN.
  EXPECT_LE(ulpsApart(exactExp(709.78), std::exp(709.78)), 1);
  EXPECT_EQ(exactExp(710.0), std::numeric_limits<double>::infinity());
  EXPECT_LE(ulpsApart(exactExp(-740.0), std::exp(-740.0)), 1);
  EXPECT_LE(ulpsApart(exactExp(-708.5), std::exp(-708.5)), 1);
  EXPECT_EQ(exactExp(-800.0), 0.0);
  EXPECT_EQ(exactExp(-std::numeric_limits<double>::infinity()), 0.0);
  EXPECT_TRUE(std::isnan(exactExp(std::numeric_limits<double>::quiet_NaN())));
  EXPECT_EQ(exactPow(kLnOf35, -1e300), 0.0);
  // A sample rate of 1 Hz (whatever a host sends): the filter pole is 0.
  EXPECT_EQ(exactExp(-kTwoPi * 3900.0), 0.0);
}

}  // namespace
}  // namespace sorel::test
