// The state of one running effect instance written as a preset file.
#pragma once

#include <string>

#include "host.h"

namespace sorel::host {

// Writes the instance's chunk as .fxp or .fxb (by the path's extension),
// replacing the file whole or not at all; false with *error when the path has
// another extension, the plug-in keeps no chunk, or the write fails.
bool writeEffectPreset(HostedEffect& effect, const std::string& path, std::string* error);

// The checks writeEffectPreset makes before it writes anything, for callers
// that must know early: the extension, a chunk-keeping plug-in, an existing
// folder.
bool canWriteEffectPreset(HostedEffect& effect, const std::string& path, std::string* error);

}  // namespace sorel::host
