// The built-in program material of `sorel-render --demo`: a few seconds of a
// synthetic mix with transients, bass and a wide stereo image.
#pragma once

#include <string>
#include <vector>

#include "session.h"

namespace sorel::host {

// Interleaved stereo float frames at `sampleRate`.
std::vector<float> demoMaterial(int sampleRate, double seconds);

// The setting the demo masters with: the M/S page with all four modules in
// the Mid and the Side set, split-band on, a little drive in and out.
std::vector<Setting> demoSettings();

}  // namespace sorel::host
