// The per-file report, as text for a person or as JSON for a script.
#pragma once

#include <string>

#include "render.h"

namespace sorel::host {

std::string reportText(const FileReport& report);
// One JSON object; levels that do not exist (silence) are null.
std::string reportJson(const FileReport& report);
// The record of a file that failed: its names, the message and its exit status.
std::string failureJson(const std::string& input, const std::string& output, const std::string& error,
                        ExitStatus status);

}  // namespace sorel::host
