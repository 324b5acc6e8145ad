#include "audiothread_probe.h"

#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <thread>

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);
void __libc_free(void*);
int sorel_real_mutex_lock(pthread_mutex_t*);
int sorel_real_mutex_trylock(pthread_mutex_t*);
int sorel_real_rwlock_rdlock(pthread_rwlock_t*);
int sorel_real_rwlock_wrlock(pthread_rwlock_t*);
}
__asm__(".symver sorel_real_mutex_lock,__pthread_mutex_lock@GLIBC_2.2.5");
__asm__(".symver sorel_real_mutex_trylock,__pthread_mutex_trylock@GLIBC_2.2.5");
__asm__(".symver sorel_real_rwlock_rdlock,__pthread_rwlock_rdlock@GLIBC_2.2.5");
__asm__(".symver sorel_real_rwlock_wrlock,__pthread_rwlock_wrlock@GLIBC_2.2.5");

namespace {

thread_local bool inside = false;
std::atomic<long> allocations{0};
std::atomic<long> locks{0};
std::atomic<long> systemCalls{0};

// Counts a call the probed thread makes inside the probed span; passes its result on.
template <class T>
T counted(std::atomic<long>& count, T result) {
  if (inside) count.fetch_add(1, std::memory_order_relaxed);
  return result;
}

// Every system call of the probed thread lands here (the filter lets only
// exit and the return from this handler through); it is counted, whether or
// not the thread is inside the probed span, and fails with ENOSYS.
void onSystemCall(int, siginfo_t*, void* context) {
  systemCalls.fetch_add(1, std::memory_order_relaxed);
  static_cast<ucontext_t*>(context)->uc_mcontext.gregs[REG_RAX] = -ENOSYS;
}

bool installFilter() {
  sock_filter code[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRAP),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_exit, 2, 0),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_rt_sigreturn, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRAP),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  sock_fprog program{static_cast<unsigned short>(sizeof code / sizeof code[0]), code};
  if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) return false;
  return prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

}  // namespace

namespace sorel::validate {

void enter() { inside = true; }
void leave() { inside = false; }

ProbeCounts runProbed(const std::function<void()>& body) {
  struct sigaction action {};
  action.sa_sigaction = onSystemCall;
  action.sa_flags = SA_SIGINFO;
  sigaction(SIGSYS, &action, nullptr);
  allocations = locks = systemCalls = 0;
  std::atomic<int> installed{-1};
  std::thread probed([&] {
    __libc_free(__libc_malloc(64));  // the thread's memory arena exists before the filter
    const bool ok = installFilter();
    installed.store(ok ? 1 : 0);
    if (ok) body();
    syscall(SYS_exit, 0);  // the only call the filter lets through
  });
  probed.join();
  ProbeCounts counts;
  counts.allocations = allocations.load();
  counts.locks = locks.load();
  counts.systemCalls = installed.load() == 1 ? systemCalls.load() : -1;
  return counts;
}

}  // namespace sorel::validate

// The C library's allocation and locking entry points, counted and passed on.
extern "C" {
void* malloc(std::size_t n) { return counted(allocations, __libc_malloc(n)); }
void* calloc(std::size_t n, std::size_t size) { return counted(allocations, __libc_calloc(n, size)); }
void* realloc(void* p, std::size_t n) { return counted(allocations, __libc_realloc(p, n)); }
void* memalign(std::size_t alignment, std::size_t n) { return counted(allocations, __libc_memalign(alignment, n)); }
void* aligned_alloc(std::size_t alignment, std::size_t n) {
  return counted(allocations, __libc_memalign(alignment, n));
}
int posix_memalign(void** out, std::size_t alignment, std::size_t n) {
  void* p = counted(allocations, __libc_memalign(alignment, n));
  if (!p) return ENOMEM;
  *out = p;
  return 0;
}
void free(void* p) {
  if (p) counted(allocations, 0);
  __libc_free(p);
}
int pthread_mutex_lock(pthread_mutex_t* m) { return counted(locks, sorel_real_mutex_lock(m)); }
int pthread_mutex_trylock(pthread_mutex_t* m) { return counted(locks, sorel_real_mutex_trylock(m)); }
int pthread_rwlock_rdlock(pthread_rwlock_t* l) { return counted(locks, sorel_real_rwlock_rdlock(l)); }
int pthread_rwlock_wrlock(pthread_rwlock_t* l) { return counted(locks, sorel_real_rwlock_wrlock(l)); }
}
