#include "interruption.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <thread>

#include "partialfiles.h"

namespace sorel::host {
namespace {

std::atomic<std::atomic<int>*> deferredTo{nullptr};

}  // namespace

void deferInterruptions(std::atomic<int>& caught) { deferredTo.store(&caught); }

void watchInterruptions() {
  ::signal(SIGPIPE, SIG_IGN);
  // Past a file-size limit a write then fails (EFBIG) like any other, and
  // the partial file is removed, instead of the process being killed.
  ::signal(SIGXFSZ, SIG_IGN);
  sigset_t set;
  sigemptyset(&set);
  for (const int s : {SIGINT, SIGTERM, SIGHUP}) {
    // One ignored from the start (nohup's SIGHUP) stays ignored.
    struct sigaction now {};
    if (::sigaction(s, nullptr, &now) == 0 && now.sa_handler != SIG_IGN) sigaddset(&set, s);
  }
  if (sigisemptyset(&set)) return;
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  std::thread([set] {
    int caught = 0;
    for (;;) {
      if (sigwait(&set, &caught) != 0) continue;
      std::atomic<int>* deferred = deferredTo.load();
      if (!deferred) break;
      deferred->store(caught);
    }
    partialfiles::removeAllAndHold();
    ::_exit(128 + caught);
  }).detach();
}

}  // namespace sorel::host
