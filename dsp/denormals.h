// Flush-to-zero and denormals-are-zero for the span of one processing call;
// the caller's floating-point state comes back when the guard goes.
#pragma once

#include <xmmintrin.h>

namespace sorel {

class ScopedFlushDenormals {
 public:
  ScopedFlushDenormals() : saved(_mm_getcsr()) { _mm_setcsr(saved | kFlushToZero | kDenormalsAreZero); }
  ~ScopedFlushDenormals() { _mm_setcsr(saved); }
  ScopedFlushDenormals(const ScopedFlushDenormals&) = delete;
  ScopedFlushDenormals& operator=(const ScopedFlushDenormals&) = delete;

 private:
  static constexpr unsigned kFlushToZero = 0x8000;
  static constexpr unsigned kDenormalsAreZero = 0x0040;
  unsigned saved;
};

}  // namespace sorel
