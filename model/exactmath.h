// exp and pow for the coefficients, written with IEEE basic operations only
// (+, -, *, exact conversions and power-of-two scaling), so every compiler and
// C library computes the same bits from the same argument. The C library's
// exp and pow differ between platforms in the last bit, which is enough to
// change samples. Accuracy: below one unit in the last place (the reduced
// argument and the first terms are carried as unevaluated sums of two doubles;
// only the final addition rounds noticeably).
//
// Needs strict IEEE double arithmetic: contraction off, SSE2 (never x87), no
// fast-math. Every project build compiles that way.
#pragma once

#include <bit>
#include <cstdint>
#include <limits>

namespace sorel {

// A value as the unevaluated sum hi + lo, |lo| well below one ulp of hi.
struct DoubleDouble {
  double hi;
  double lo;
};

namespace exactmath {

// a + b exactly, for any a and b.
inline DoubleDouble twoSum(double a, double b) {
  const double s = a + b;
  const double bPart = s - a;
  const double aPart = s - bPart;
  return {s, (a - aPart) + (b - bPart)};
}

// a * b exactly (Veltkamp's split into 26-bit halves, Dekker's product), for
// products far from overflow and underflow.
inline DoubleDouble twoProduct(double a, double b) {
  constexpr double kSplitter = 134217729.0;  // 2^27 + 1
  const double ta = kSplitter * a;
  const double aHi = ta - (ta - a);
  const double aLo = a - aHi;
  const double tb = kSplitter * b;
  const double bHi = tb - (tb - b);
  const double bLo = b - bHi;
  const double p = a * b;
  return {p, ((aHi * bHi - p) + aHi * bLo + aLo * bHi) + aLo * bLo};
}

// 2^e for -1022 <= e <= 1023, built from its bits.
inline double powerOfTwo(int e) { return std::bit_cast<double>(static_cast<std::uint64_t>(e + 1023) << 52); }

constexpr double inverseFactorial(int n) {
  double f = 1.0;
  for (int i = 2; i <= n; ++i) f *= i;  // exact up to 22!
  return 1.0 / f;
}

// ln 2 with its last 21 bits cleared, so k * kLn2Hi is exact for |k| < 2^21,
// and the rest of ln 2.
constexpr double kLn2Hi = 0x1.62e42fee00000p-1;
constexpr double kLn2Lo = 0x1.a39ef35793c76p-33;
constexpr double kInvLn2 = 0x1.71547652b82fep+0;

}  // namespace exactmath

// e^(x.hi + x.lo).
inline double exactExp(DoubleDouble x) {
  using namespace exactmath;
  if (x.hi != x.hi) return x.hi + x.hi;  // NaN
  if (x.hi > 709.8) return std::numeric_limits<double>::infinity();
  if (x.hi < -745.2) return 0.0;

  // x = k ln2 + r, |r| <= ln2 / 2 (a little more where k is estimated short).
  const int k = static_cast<int>(x.hi * kInvLn2 + (x.hi < 0.0 ? -0.5 : 0.5));
  const double kd = k;
  const DoubleDouble head = twoSum(x.hi, -(kd * kLn2Hi));
  const DoubleDouble r = twoSum(head.hi, head.lo + x.lo - kd * kLn2Lo);

  // e^r = 1 + r + r^2/2 + r^3 (1/3! + r/4! + ... + r^10/13!); the first three
  // terms are summed exactly, the tail and r.lo's share go into the low part.
  double poly = inverseFactorial(13);
  for (int n = 12; n >= 3; --n) poly = poly * r.hi + inverseFactorial(n);
  const double tail = r.hi * r.hi * r.hi * poly;
  const DoubleDouble square = twoProduct(r.hi, r.hi);
  const DoubleDouble one = twoSum(1.0, r.hi);
  const DoubleDouble two = twoSum(one.hi, 0.5 * square.hi);
  const double low = one.lo + two.lo + 0.5 * square.lo + tail + r.lo * (1.0 + r.hi);
  const double m = two.hi + low;

  // Times 2^k, in steps where 2^k itself is not a normal double; the first
  // step is exact, so a subnormal result rounds once.
  if (k > 1023) return m * 2.0 * powerOfTwo(k - 1);
  if (k < -1022) return m * powerOfTwo(k + 600) * powerOfTwo(-600);
  return m * powerOfTwo(k);
}

inline double exactExp(double x) { return exactExp(DoubleDouble{x, 0.0}); }

// The natural logarithms of the bases the engine raises to a power.
inline constexpr DoubleDouble kLnOf2{0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};
inline constexpr DoubleDouble kLnOf35{0x1.c715a530ff3c5p+1, 0x1.7edac1877ca5bp-53};
inline constexpr DoubleDouble kLnOf64{0x1.0a2b23f3bab73p+2, 0x1.a06bb56359018p-52};

// base^y, where lnBase is the base's natural logarithm: e^(y ln base) with the
// product kept to about 106 bits.
inline double exactPow(DoubleDouble lnBase, double y) {
  const double rough = y * lnBase.hi;
  if (!(rough > -800.0 && rough < 800.0)) return exactExp(rough);  // overflow, underflow or NaN
  const DoubleDouble p = exactmath::twoProduct(y, lnBase.hi);
  return exactExp(exactmath::twoSum(p.hi, p.lo + y * lnBase.lo));
}

}  // namespace sorel
