// sorel-mathdigest: prints the digest of the coefficients' exp and pow over
// every argument the engine passes, so builds for different targets (the
// 32-bit Windows one under emulation included) can be compared.
#include <cinttypes>
#include <cstdio>

#include "coefficient_sweep.h"

int main() { std::printf("%" PRIu64 "\n", sorel::test::coefficientDigest()); }
