// Reads typed values off a fuzzer's bytes; past the end everything reads 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The harness's own loops (making test material) are not what is fuzzed:
// left uninstrumented, they add nothing to the coverage and cost nothing per
// sample.
#if defined(__clang__)
#define SOREL_FUZZ_UNTRACED __attribute__((no_sanitize("coverage")))
#else
#define SOREL_FUZZ_UNTRACED
#endif

namespace sorel::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : bytes(data), left(size) {}
  bool empty() const { return left == 0; }
  std::size_t remaining() const { return left; }
  template <typename T>
  T take() {
    T value{};
    const std::size_t n = left < sizeof(T) ? left : sizeof(T);
    std::memcpy(&value, bytes, n);
    bytes += n;
    left -= n;
    return value;
  }
  // Up to `most` bytes, as they are.
  const std::uint8_t* takeBytes(std::size_t most, std::size_t& got) {
    got = left < most ? left : most;
    const std::uint8_t* out = bytes;
    bytes += got;
    left -= got;
    return out;
  }

 private:
  const std::uint8_t* bytes;
  std::size_t left;
};

// A broken invariant: say which and stop, so the fuzzer keeps the input.
[[noreturn]] inline void broken(const char* target, const char* what) {
  std::fprintf(stderr, "%s fuzz: %s\n", target, what);
  std::abort();
}

}  // namespace sorel::fuzz
