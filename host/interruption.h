// Interruption by SIGINT, SIGTERM or SIGHUP (each unless ignored from the
// start, as nohup leaves SIGHUP): the signals are blocked in every
// thread and taken by one watcher thread with sigwait, so nothing runs inside
// a signal handler. The watcher removes the unfinished files (partialfiles.h)
// and exits with 128 + the signal's number. SIGPIPE and SIGXFSZ are
// ignored: a closed pipe or a file-size limit then fails the write that met
// it, like any other write error.
#pragma once

#include <atomic>

namespace sorel::host {

// Call first thing in main, before any thread starts (threads inherit the
// blocked signals).
void watchInterruptions();

// From now on a signal only stores its number in `caught` and the process
// goes on (an editing session ends and saves on it); `caught` must outlive
// the process's last signal.
void deferInterruptions(std::atomic<int>& caught);

}  // namespace sorel::host
