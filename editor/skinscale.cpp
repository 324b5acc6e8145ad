#include "skinscale.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/iplatform.h"

namespace sorel {

SkinScale decideSkinScale(const SkinScaleFacts& facts) {
  if (facts.bigMarker) return {2.f, true};
  if (facts.smallMarker) return {1.f, false};
  if (!facts.screenKnown || facts.widthMm <= 0) return {};
  const float dpi = static_cast<float>(facts.widthPixels) / static_cast<float>(facts.widthMm) * 25.4f;
  if (dpi > 200.f && facts.widthPixels > 1920 && facts.heightPixels > 1200) return {2.f, true};
  return {};
}

namespace {

#ifdef _WIN32
std::string markerPath(const char* name) { return std::string("c:\\") + name; }
#else
// The user's configuration folder.
std::string markerPath(const char* name) {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) return std::string(config) + "/" + name;
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.config/" + name;
  return name;
}
#endif

bool exists(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}

}  // namespace

std::string bigMarkerPath() { return markerPath("PEPPER_Big.txt"); }

std::string smallMarkerPath() { return markerPath("PEPPER_Small.txt"); }

SkinScaleFacts gatherSkinScaleFacts() {
  SkinScaleFacts facts;
  facts.bigMarker = exists(bigMarkerPath());
  if (facts.bigMarker) return facts;
  facts.smallMarker = exists(smallMarkerPath());
  if (facts.smallMarker) return facts;
  int heightMm = 0;
  facts.screenKnown = VSTGUI::platformScreenSize(facts.widthPixels, facts.heightPixels, facts.widthMm, heightMm);
  return facts;
}

}  // namespace sorel
