// sorel-skingen: draws the skin.
//
//   sorel-skingen DIR            every image at scale 1 and 2 ("name_2x.png"),
//                                then DIR/manifest.txt listing the files in order
//   sorel-skingen --preview DIR  whole-window previews of both pages and the
//                                about view, at scale 1 and 2
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "images.h"
#include "preview.h"

namespace fs = std::filesystem;
using namespace sorel::skingen;

namespace {

std::string scaledName(const char* name, int scale) {
  std::string s = name;
  if (scale == 1) return s;
  const std::size_t dot = s.rfind('.');
  return s.substr(0, dot) + "_" + std::to_string(scale) + "x" + s.substr(dot);
}

bool writePng(cairo_surface_t* surface, const fs::path& path) {
  const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
  if (status == CAIRO_STATUS_SUCCESS) return true;
  std::fprintf(stderr, "sorel-skingen: cannot write %s: %s\n", path.c_str(), cairo_status_to_string(status));
  return false;
}

// The manifest is written last and renamed into place, so a build step that
// depends on it never sees a half-drawn skin.
bool writeManifest(const fs::path& dir, const std::vector<std::string>& files) {
  const fs::path temp = dir / "manifest.txt.tmp";
  {
    std::ofstream out(temp);
    for (const std::string& f : files) out << f << '\n';
    if (!out) return false;
  }
  std::error_code ec;
  fs::rename(temp, dir / "manifest.txt", ec);
  return !ec;
}

int writeSkin(const fs::path& dir) {
  std::vector<std::string> files;
  for (const int scale : {1, 2}) {
    for (const SkinImage& image : skinImages()) {
      const std::string name = scaledName(image.name, scale);
      if (!writePng(renderImage(image, scale), dir / name)) return 1;
      files.push_back(name);
    }
  }
  if (!writeManifest(dir, files)) {
    std::fprintf(stderr, "sorel-skingen: cannot write %s\n", (dir / "manifest.txt").c_str());
    return 1;
  }
  return 0;
}

int writePreviews(const fs::path& dir) {
  struct Preview {
    PreviewPage page;
    const char* name;
  };
  static constexpr Preview kPreviews[] = {{PreviewPage::kStereo, "preview-stereo.png"},
                                          {PreviewPage::kMidSide, "preview-ms.png"},
                                          {PreviewPage::kAbout, "preview-about.png"}};
  for (const int scale : {1, 2})
    for (const Preview& p : kPreviews)
      if (!writePng(composePreview(p.page, scale), dir / scaledName(p.name, scale))) return 1;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool preview = argc == 3 && std::strcmp(argv[1], "--preview") == 0;
  if (argc != 2 && !preview) {
    std::fprintf(stderr, "usage: sorel-skingen [--preview] DIR\n");
    return 2;
  }
  const fs::path dir = argv[argc - 1];
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "sorel-skingen: cannot create %s: %s\n", dir.c_str(), ec.message().c_str());
    return 1;
  }
  const int status = preview ? writePreviews(dir) : writeSkin(dir);
  // Hand back the font and pattern caches, so that leak checkers see a clean exit.
  cairo_debug_reset_static_data();
  FcFini();
  return status;
}
