#include "drmscreen.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "../edid.h"

namespace VSTGUI::drm {

namespace {

namespace fs = std::filesystem;

std::string firstLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

std::vector<unsigned char> allBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A mode line reads "2880x1800" (an interlaced one "1920x1080i").
bool modePixels(const std::string& mode, int& width, int& height) {
  return std::sscanf(mode.c_str(), "%dx%d", &width, &height) == 2 && width > 0 && height > 0;
}

std::vector<fs::path> connectors(const std::string& root) {
  std::vector<fs::path> found;
  std::error_code error;
  for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
    if (fs::exists(it->path() / "status", error)) found.push_back(it->path());
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace

bool screenSize(const std::string& root, int& widthPixels, int& heightPixels, int& widthMm, int& heightMm) {
  bool found = false;
  for (const fs::path& connector : connectors(root)) {
    if (firstLine(connector / "status") != "connected") continue;
    const std::vector<unsigned char> edid = allBytes(connector / "edid");
    int w = 0, h = 0, wMm = 0, hMm = 0;
    found = edidImageSize(edid.data(), edid.size(), wMm, hMm) && modePixels(firstLine(connector / "modes"), w, h);
    if (found) {
      widthPixels = w;
      heightPixels = h;
      widthMm = wMm;
      heightMm = hMm;
    }
  }
  return found;
}

}  // namespace VSTGUI::drm
