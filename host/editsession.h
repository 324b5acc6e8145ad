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

// The window size an editor asks for through audioMasterSizeWindow, when it
// fits the 16-bit sizes editor rectangles and windows have; false otherwise.
inline bool askedWindowSize(VstInt32 width, VstIntPtr height, int& w, int& h) {
  constexpr int kLargest = 32767;
  if (width <= 0 || width > kLargest || height <= 0 || height > kLargest) return false;
  w = width;
  h = static_cast<int>(height);
  return true;
}

// Runs the editor of an instance carrying the session's state and program
// name until the user closes its window or `stop` becomes non-zero
// (a signal), then writes the preset, also when nothing was changed. False
// with *error when there is no display, the plug-in has no editor, or the
// preset cannot be written; the preset path is checked before the window
// opens, so a typing mistake costs no work.
bool editAndSavePreset(const Session& session, const std::string& presetPath, const std::atomic<int>& stop,
                       std::string* error);

}  // namespace sorel::host
