// The off-screen back-end's services as the driver sees them.
#pragma once

#include <string>
#include <vector>

namespace VSTGUI::offscreen {

std::vector<std::string> recordedURLs();
void clearRecordedURLs();

}  // namespace VSTGUI::offscreen
