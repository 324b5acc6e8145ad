// sorel-render's exit statuses, one per kind of failure, for scripts. When
// files fail for different reasons the status is the first failed file's, in
// the order they were given. The JSON record of a file carries its own.
#pragma once

namespace sorel::host {

enum ExitStatus : int {
  kExitOk = 0,
  kExitFailure = 1,     // anything else: the plug-in refused to load or to run, an editor session failed
  kExitUsage = 2,       // the command line: options, settings, a preset or plug-in that cannot be used, outputs
                        // that collide or name the input
  kExitUnreadable = 3,  // an input file cannot be read or used (missing, not audio, more than two channels)
  kExitWrite = 4,       // an output, the report, a preset or a folder cannot be written
  kExitOvers = 5,       // --fail-on-overs: an output's true peak went over its ceiling
  kExitSignal = 128,    // plus the signal's number: interrupted (SIGINT, SIGTERM, SIGHUP, SIGXFSZ)
};

}  // namespace sorel::host
