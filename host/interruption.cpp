#include "interruption.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <thread>

#include "partialfiles.h"

namespace sorel::host {

void watchInterruptions() {
  ::signal(SIGPIPE, SIG_IGN);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  std::thread([set] {
    int caught = 0;
    while (sigwait(&set, &caught) != 0) {
    }
    partialfiles::removeAllAndHold();
    ::_exit(128 + caught);
  }).detach();
}

}  // namespace sorel::host
