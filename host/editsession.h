// Setting up a sound by ear: a fresh instance carrying the session's state
// shows its own editor in a window of the host's, is idled until the window
// is closed (or the caller's stop flag is raised), and the state it is left
// in is written as a preset that later renders start from.
#pragma once

#include <atomic>
#include <string>

#include "session.h"

namespace sorel::host {

// How often the editor is idled while it is open.
constexpr int kEditIdleMilliseconds = 20;

struct EditRequest {
  std::string presetPath;   // written when editing ends: .fxp or .fxb
  std::string startPreset;  // the preset the state came from, if any: its program name carries over
};

// Runs the editor until the user closes its window or `stop` becomes non-zero
// (a signal), then writes the preset, also when nothing was changed. False
// with *error when there is no display, the plug-in has no editor, or the
// preset cannot be written; the preset path is checked before the window
// opens, so a typing mistake costs no work.
bool editAndSavePreset(const Session& session, const EditRequest& request, const std::atomic<int>& stop,
                       std::string* error);

}  // namespace sorel::host
