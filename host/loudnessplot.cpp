#include "loudnessplot.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace sorel::host {
namespace {

constexpr int kWidth = 1200, kHeight = 560;
constexpr double kLeft = 70, kRight = 20, kTop = 40;
constexpr double kLoudTop = kTop, kLoudBottom = 380;      // loudness pane
constexpr double kGainTop = 420, kGainBottom = 520;       // gain-reduction pane
constexpr double kLufsHigh = 0.0, kLufsLow = -48.0;       // loudness pane range
constexpr double kGainMost = 12.0;                        // dB of reduction at the pane's bottom

struct Axes {
  double seconds;
  double x(double t) const { return kLeft + (kWidth - kLeft - kRight) * t / std::max(seconds, 1e-9); }
  static double loud(double lufs) {
    const double v = std::clamp(lufs, kLufsLow, kLufsHigh);
    return kLoudTop + (kLoudBottom - kLoudTop) * (kLufsHigh - v) / (kLufsHigh - kLufsLow);
  }
  static double gain(double db) { return kGainTop + (kGainBottom - kGainTop) * std::min(db, kGainMost) / kGainMost; }
};

void text(cairo_t* cr, double x, double y, const std::string& s, double size = 12.0) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, s.c_str());
}

void grid(cairo_t* cr, const Axes& a) {
  cairo_set_line_width(cr, 1.0);
  for (double l = kLufsHigh; l >= kLufsLow; l -= 6.0) {
    cairo_set_source_rgb(cr, 0.86, 0.86, 0.86);
    cairo_move_to(cr, kLeft, Axes::loud(l));
    cairo_line_to(cr, kWidth - kRight, Axes::loud(l));
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    text(cr, 8, Axes::loud(l) + 4, std::to_string(static_cast<int>(l)), 11);
  }
  for (double g = 0; g <= kGainMost; g += 3.0) {
    cairo_set_source_rgb(cr, 0.86, 0.86, 0.86);
    cairo_move_to(cr, kLeft, Axes::gain(g));
    cairo_line_to(cr, kWidth - kRight, Axes::gain(g));
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    char label[16];
    std::snprintf(label, sizeof label, "%s%d dB", g > 0 ? "-" : "", static_cast<int>(g));
    text(cr, 8, Axes::gain(g) + 4, label, 11);
  }
  const double step = a.seconds > 600 ? 60 : a.seconds > 120 ? 30 : a.seconds > 30 ? 10 : a.seconds > 8 ? 2 : 1;
  for (double t = 0; t <= a.seconds; t += step) {
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    char label[32];
    std::snprintf(label, sizeof label, "%d:%02d", static_cast<int>(t) / 60, static_cast<int>(t) % 60);
    text(cr, a.x(t) - 12, kHeight - 16, label, 11);
  }
}

void curve(cairo_t* cr, const Axes& a, const std::vector<float>& v, double dt, double r, double g, double b,
           double (*y)(double)) {
  cairo_set_source_rgb(cr, r, g, b);
  cairo_set_line_width(cr, 1.6);
  bool drawing = false;
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (!std::isfinite(v[i])) {
      drawing = false;
      continue;
    }
    const double px = a.x((static_cast<double>(i) + 1) * dt), py = y(v[i]);
    if (drawing)
      cairo_line_to(cr, px, py);
    else
      cairo_move_to(cr, px, py);
    drawing = true;
  }
  cairo_stroke(cr);
}

void level(cairo_t* cr, double db, const char* label, double r, double g, double b) {
  if (!std::isfinite(db)) return;
  cairo_set_source_rgb(cr, r, g, b);
  cairo_set_line_width(cr, 1.2);
  const double dashes[] = {6.0, 4.0};
  cairo_set_dash(cr, dashes, 2, 0);
  cairo_move_to(cr, kLeft, Axes::loud(db));
  cairo_line_to(cr, kWidth - kRight, Axes::loud(db));
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  char t[64];
  std::snprintf(t, sizeof t, "%s %.1f", label, db);
  text(cr, kWidth - kRight - 150, Axes::loud(db) - 4, t, 11);
}

// A red tick along the top of the loudness pane where the true peak went over.
void overs(cairo_t* cr, const Axes& a, const PlotData& d) {
  const double limit = std::isfinite(d.ceilingDb) ? d.ceilingDb : 0.0;
  cairo_set_source_rgb(cr, 0.85, 0.1, 0.1);
  for (std::size_t i = 0; i < d.afterPeaks.size(); ++i)
    if (d.afterPeaks[i] > limit) cairo_rectangle(cr, a.x(static_cast<double>(i) * d.secondsPerPoint), kLoudTop - 8,
                                                 std::max(2.0, a.x(d.secondsPerPoint) - kLeft), 6);
  cairo_fill(cr);
}

void legend(cairo_t* cr, const PlotData& d) {
  cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
  text(cr, kLeft, 22, d.title, 14);
  const struct {
    const char* name;
    double r, g, b;
  } items[] = {{"before", 0.55, 0.55, 0.55}, {"after", 0.1, 0.35, 0.8}, {"over the ceiling", 0.85, 0.1, 0.1}};
  double x = kWidth - 420;
  for (const auto& item : items) {
    cairo_set_source_rgb(cr, item.r, item.g, item.b);
    cairo_rectangle(cr, x, 12, 14, 10);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    text(cr, x + 18, 22, item.name, 12);
    x += 130;
  }
  text(cr, kLeft, kGainTop - 8, "limiter gain reduction", 12);
  text(cr, kLeft + 6, kLoudBottom - 6, "short-term loudness (3 s), LUFS; true peak ceiling, dBTP", 12);
}

}  // namespace

bool drawLoudnessPlot(const PlotData& d, const std::string& path, std::string* error) {
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight), cairo_surface_destroy);
  std::unique_ptr<cairo_t, decltype(&cairo_destroy)> owner(cairo_create(surface.get()), cairo_destroy);
  cairo_t* cr = owner.get();
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  const std::size_t points = std::max({d.before.size(), d.after.size(), std::size_t{1}});
  const Axes a{static_cast<double>(points) * d.secondsPerPoint};
  grid(cr, a);
  level(cr, d.targetLufs, "target LUFS", 0.1, 0.6, 0.2);
  level(cr, d.ceilingDb, "ceiling dBTP", 0.85, 0.1, 0.1);
  curve(cr, a, d.before, d.secondsPerPoint, 0.55, 0.55, 0.55, &Axes::loud);
  curve(cr, a, d.after, d.secondsPerPoint, 0.1, 0.35, 0.8, &Axes::loud);
  overs(cr, a, d);
  if (!d.gainReduction.empty()) curve(cr, a, d.gainReduction, d.secondsPerPoint, 0.85, 0.45, 0.1, &Axes::gain);
  legend(cr, d);
  cairo_surface_flush(surface.get());
  if (cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
    if (error) *error = "cannot write the plot " + path;
    return false;
  }
  return true;
}

std::string plotPathFor(const std::string& plot, const std::string& input, bool several) {
  if (!several) return plot;
  namespace fs = std::filesystem;
  const fs::path p(plot);
  const std::string stem = p.stem().string() + "-" + fs::path(input).stem().string();
  return (p.parent_path() / (stem + (p.has_extension() ? p.extension().string() : ".png"))).string();
}

}  // namespace sorel::host
