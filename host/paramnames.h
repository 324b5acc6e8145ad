// The command line's side of the parameter model: finding a parameter by its
// qualified name (the names the host sees collide) and turning the units its
// display shows back into normalised values.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sorel::host {

// The name of `value` for a parameter that takes only a few named values
// (switches, the page, anti-aliasing); nullopt when it is none of them or the
// parameter is continuous.
std::optional<std::string> choiceName(int index, float value);

// Parameters the plug-in stores, saves and shows but whose value changes
// nothing in the sound: every module's X1 to X3, the spares and the compare
// stores' bookkeeping.
bool isInert(int index);

// The index of a qualified name or "#N" (0 <= N < count); nullopt if unknown.
std::optional<int> findParameter(const std::string& name, int count);

// Up to `limit` qualified names closest to a mistyped one, closest first.
std::vector<std::string> nearestParameterNames(const std::string& name, std::size_t limit = 3);

// The one rule for a normalised value, whether typed with -s or read from a
// preset: a switch, the page and anti-aliasing take exactly one of their
// values' encodings, every other parameter 0..1 (no NaN). Empty when `value`
// is one `index` can hold, else what it takes ("takes off or on (or their
// encodings 0 and 1)", "must lie between 0 and 1").
std::string valueProblem(int index, float value);

// What a value text means for parameter `index`, given the current values
// (the volume range switches decide what "dB" means). Accepted: a normalised
// number 0..1, "70%", "-1.5dB" for the volumes, "100Hz" for the spare
// frequency; for switches, the page and anti-aliasing only their named values
// (on/off, stereo/ms, off/splitfir) or those values' exact encodings. Returns nullopt with *error set when the text is
// unparsable or out of range.
std::optional<float> parseParameterValue(int index, const std::string& text, const std::vector<float>& current,
                                         std::string* error);

}  // namespace sorel::host
