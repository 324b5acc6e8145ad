// The coefficients' own exp and pow: close to the C library where it is
// glibc, and the same bits on every build (the Windows builds run this too).
#include "exactmath.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "coefficient_sweep.h"

namespace sorel::test {
namespace {

std::int64_t ulpsApart(double a, double b) {
  return std::abs(std::bit_cast<std::int64_t>(a) - std::bit_cast<std::int64_t>(b));
}

TEST(ExactMath, WithinOneUlpOfGlibcOverTheEngineRanges) {
#if !defined(__GLIBC__)
  GTEST_SKIP() << "the accuracy reference is glibc's exp and pow";
#endif
  std::int64_t worst = 0, count = 0;
  forEachCoefficient([&](double value, const auto& libm) {
    worst = std::max(worst, ulpsApart(value, libm()));
    ++count;
  });
  EXPECT_LE(worst, 1) << "over " << count << " arguments";
}

// The digest of every result over the sweep. The Linux build and both
// Windows builds must give this value (wine-test.sh also compares the 32-bit
// build's, printed by sorel-mathdigest); a change to the functions must
// change it deliberately.
TEST(ExactMath, SameBitsOnEveryBuild) { EXPECT_EQ(coefficientDigest(), 8684435237475699158ull); }

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
}

}  // namespace
}  // namespace sorel::test
