# Flags shared by every target of every build (native, sanitizer and mingw-w64).
#
# Contraction is off everywhere: a fused multiply-add rounds once where the
# plain code rounds twice, so allowing it would make builds disagree on samples.
# The 32-bit build computes in SSE2 registers, never on the x87 stack, for the
# same reason (x87 keeps extended precision between operations).
add_library(sorel_flags INTERFACE)
target_compile_options(sorel_flags INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
  -Wimplicit-fallthrough -Wnon-virtual-dtor -Wold-style-cast
  -ffp-contract=off -fno-math-errno)
if(SOREL_WERROR)
  target_compile_options(sorel_flags INTERFACE -Werror)
endif()

if(CMAKE_SYSTEM_PROCESSOR MATCHES "i686|i386|x86$")
  # Windows' 32-bit stack is only 4-byte aligned; realign where SSE spills need 16.
  target_compile_options(sorel_flags INTERFACE -msse2 -mfpmath=sse -mstackrealign)
endif()

if(SOREL_SANITIZE STREQUAL "address")
  target_compile_options(sorel_flags INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(sorel_flags INTERFACE -fsanitize=address,undefined)
elseif(SOREL_SANITIZE STREQUAL "fuzzer")
  # Coverage for libFuzzer everywhere (clang); the fuzz executables link the engine.
  target_compile_options(sorel_flags INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                                              -fno-sanitize-recover=all)
  target_link_options(sorel_flags INTERFACE -fsanitize=address,undefined)
elseif(SOREL_SANITIZE STREQUAL "thread")
  target_compile_options(sorel_flags INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(sorel_flags INTERFACE -fsanitize=thread)
endif()
