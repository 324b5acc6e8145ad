// Counts what the audio thread must never do while it is inside
// processReplacing: allocate or free memory, lock a mutex, or make a system
// call. Allocation and locking are counted by replacing the C library's entry
// points in this executable (the loaded plug-in library binds to them first);
// system calls by a seccomp filter on the probed thread that turns every call
// but thread exit into a counted SIGSYS. Linux x86-64, builds without a
// sanitizer runtime only.
#pragma once

#include <functional>

namespace sorel::validate {

struct ProbeCounts {
  long allocations = 0;  // malloc, calloc, realloc, aligned variants, free
  long locks = 0;        // mutex and read-write lock acquisitions
  long systemCalls = 0;  // any, through libc or raw
};

// Runs `body` on a new thread that is watched by the seccomp filter. Inside
// `body`, the counting is on only between enter() and leave(). The thread ends
// with a raw exit; `body` must not return through anything that calls the
// kernel (no output, no locks).
ProbeCounts runProbed(const std::function<void()>& body);

void enter();
void leave();

}  // namespace sorel::validate
