// Flush-to-zero and denormals-are-zero for the span of one processing call;
// the caller's floating-point state comes back when the guard goes.
#pragma once

#include <xmmintrin.h>

namespace sorel {

class ScopedFlushDenormals {
 public:
  // Writing the control register is slow on some processors, so a caller
  // that already flushes pays only the read.
  ScopedFlushDenormals() : saved(_mm_getcsr()) {
    if ((saved & kBoth) != kBoth) _mm_setcsr(saved | kBoth);
  }
  ~ScopedFlushDenormals() {
    if ((saved & kBoth) != kBoth) _mm_setcsr(saved);
  }
  ScopedFlushDenormals(const ScopedFlushDenormals&) = delete;
  ScopedFlushDenormals& operator=(const ScopedFlushDenormals&) = delete;

 private:
  static constexpr unsigned kFlushToZero = 0x8000;
  static constexpr unsigned kDenormalsAreZero = 0x0040;
  static constexpr unsigned kBoth = kFlushToZero | kDenormalsAreZero;
  unsigned saved;
};

}  // namespace sorel
