#include "draw.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace sorel::skingen {

namespace {

constexpr double kPi = std::numbers::pi;

// One box pass of half-width `r` along every line of premultiplied ARGB32
// pixels; pixels outside the surface count as transparent.
void boxPass(unsigned char* data, int lines, int length, int lineStep, int pixelStep, int r) {
  std::vector<int> sum(4);
  std::vector<unsigned char> line(static_cast<std::size_t>(length) * 4);
  const int width = 2 * r + 1;
  for (int l = 0; l < lines; ++l) {
    unsigned char* base = data + static_cast<std::ptrdiff_t>(l) * lineStep;
    for (int i = 0; i < length; ++i)
      for (int c = 0; c < 4; ++c) line[static_cast<std::size_t>(i * 4 + c)] = base[i * pixelStep + c];
    std::fill(sum.begin(), sum.end(), 0);
    for (int i = 0; i <= std::min(r, length - 1); ++i)
      for (int c = 0; c < 4; ++c) sum[static_cast<std::size_t>(c)] += line[static_cast<std::size_t>(i * 4 + c)];
    for (int i = 0; i < length; ++i) {
      for (int c = 0; c < 4; ++c)
        base[i * pixelStep + c] = static_cast<unsigned char>((sum[static_cast<std::size_t>(c)] + width / 2) / width);
      const int in = i + r + 1;
      const int out = i - r;
      for (int c = 0; c < 4; ++c) {
        if (in < length) sum[static_cast<std::size_t>(c)] += line[static_cast<std::size_t>(in * 4 + c)];
        if (out >= 0) sum[static_cast<std::size_t>(c)] -= line[static_cast<std::size_t>(out * 4 + c)];
      }
    }
  }
}

void blurSurface(cairo_surface_t* surface, int boxRadius) {
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int pass = 0; pass < 3; ++pass) {
    boxPass(data, h, w, stride, 4, boxRadius);
    boxPass(data, w, h, 4, stride, boxRadius);
  }
  cairo_surface_mark_dirty(surface);
}

// A small linear congruential generator: the grain must not change between runs.
class Grain {
 public:
  explicit Grain(std::uint32_t seed) : state_(seed * 2654435761u + 1u) {}
  double next() {  // uniform in [-0.5, 0.5)
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / 16777216.0 - 0.5;
  }

 private:
  std::uint32_t state_;
};

unsigned char shade(unsigned char v, double delta) {
  return static_cast<unsigned char>(std::clamp(std::lround(v + delta), 0L, 255L));
}

std::size_t glyphLength(const char* p) {
  std::size_t n = 1;
  while ((static_cast<unsigned char>(p[n]) & 0xC0u) == 0x80u) ++n;
  return n;
}

void selectFont(cairo_t* cr, const Font& font) {
  cairo_select_font_face(cr, kSans, CAIRO_FONT_SLANT_NORMAL,
                         font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, font.size);
}

double advance(cairo_t* cr, const char* glyph, std::size_t length) {
  char buffer[8] = {};
  std::copy(glyph, glyph + std::min<std::size_t>(length, 7), buffer);
  cairo_text_extents_t e;
  cairo_text_extents(cr, buffer, &e);
  return e.x_advance;
}

}  // namespace

void setColour(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

void circle(cairo_t* cr, double cx, double cy, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_close_path(cr);
}

void addStop(cairo_pattern_t* pattern, double offset, Rgb c, double alpha) {
  cairo_pattern_add_color_stop_rgba(pattern, offset, c.r, c.g, c.b, alpha);
}

void setVerticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  addStop(p, 0, top, alpha);
  addStop(p, 1, bottom, alpha);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

double deviceScale(cairo_t* cr) {
  double dx = 1.0;
  double dy = 0.0;
  cairo_user_to_device_distance(cr, &dx, &dy);
  return std::hypot(dx, dy);
}

void popBlurred(cairo_t* cr, double radius, double alpha) {
  const double scale = deviceScale(cr);
  cairo_pattern_t* group = cairo_pop_group(cr);
  cairo_surface_t* surface = nullptr;
  if (cairo_pattern_get_surface(group, &surface) == CAIRO_STATUS_SUCCESS &&
      cairo_surface_get_type(surface) == CAIRO_SURFACE_TYPE_IMAGE) {
    // Three box passes of half-width b spread about as far as a Gaussian of sigma b.
    blurSurface(surface, std::max(1, static_cast<int>(std::lround(radius * scale / 2))));
  }
  cairo_set_source(cr, group);
  cairo_paint_with_alpha(cr, alpha);
  cairo_pattern_destroy(group);
}

void pathShadow(cairo_t* cr, double dx, double dy, double radius, double alpha) {
  cairo_path_t* path = cairo_copy_path(cr);
  cairo_new_path(cr);
  cairo_push_group(cr);
  cairo_save(cr);
  cairo_translate(cr, dx, dy);
  cairo_append_path(cr, path);
  cairo_restore(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_fill(cr);
  popBlurred(cr, radius, alpha);
  cairo_append_path(cr, path);
  cairo_path_destroy(path);
}

void brush(cairo_t* cr, double x, double y, double w, double h, double amount, std::uint32_t seed) {
  cairo_surface_t* target = cairo_get_group_target(cr);
  if (cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE) return;
  cairo_surface_flush(target);
  double x0 = x, y0 = y, x1 = x + w, y1 = y + h;
  cairo_user_to_device(cr, &x0, &y0);
  cairo_user_to_device(cr, &x1, &y1);
  const int width = cairo_image_surface_get_width(target);
  const int height = cairo_image_surface_get_height(target);
  const int stride = cairo_image_surface_get_stride(target);
  const int left = std::clamp(static_cast<int>(std::lround(x0)), 0, width);
  const int right = std::clamp(static_cast<int>(std::lround(x1)), 0, width);
  const int top = std::clamp(static_cast<int>(std::lround(y0)), 0, height);
  const int bottom = std::clamp(static_cast<int>(std::lround(y1)), 0, height);
  // Streaks of about twelve skin pixels at either scale.
  const double keep = std::pow(0.92, 1.0 / deviceScale(cr));
  unsigned char* data = cairo_image_surface_get_data(target);
  Grain grain(seed);
  for (int row = top; row < bottom; ++row) {
    const double rowShade = grain.next() * amount * 0.8;
    double streak = 0.0;
    for (int i = 0; i < 32; ++i) streak = streak * keep + grain.next() * amount * 0.7;
    unsigned char* p = data + static_cast<std::ptrdiff_t>(row) * stride;
    for (int col = left; col < right; ++col) {
      streak = streak * keep + grain.next() * amount * 0.7;
      unsigned char* px = p + col * 4;
      if (px[3] != 255) continue;
      const double delta = rowShade + streak + grain.next() * amount * 0.4;
      for (int c = 0; c < 3; ++c) px[c] = shade(px[c], delta);
    }
  }
  cairo_surface_mark_dirty(target);
}

double textWidth(cairo_t* cr, const char* text, const Font& font) {
  selectFont(cr, font);
  double width = 0.0;
  int glyphs = 0;
  for (const char* p = text; *p != '\0';) {
    const std::size_t n = glyphLength(p);
    width += advance(cr, p, n);
    ++glyphs;
    p += n;
  }
  return width + font.tracking * std::max(0, glyphs - 1);
}

void textPath(cairo_t* cr, const char* text, double x, double baseline, const Font& font, Align align) {
  const double width = textWidth(cr, text, font);
  if (align == Align::kCentre) x -= width / 2;
  if (align == Align::kRight) x -= width;
  for (const char* p = text; *p != '\0';) {
    const std::size_t n = glyphLength(p);
    char glyph[8] = {};
    std::copy(p, p + std::min<std::size_t>(n, 7), glyph);
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, glyph);
    x += advance(cr, p, n) + font.tracking;
    p += n;
  }
}

void drawText(cairo_t* cr, const char* text, double x, double baseline, const Font& font, Align align, Rgb c,
              double alpha) {
  cairo_new_path(cr);
  textPath(cr, text, x, baseline, font, align);
  setColour(cr, c, alpha);
  cairo_fill(cr);
}

void engravedText(cairo_t* cr, const char* text, double x, double baseline, const Font& font, Align align, Rgb c,
                  double highlight) {
  drawText(cr, text, x, baseline + 0.7, font, align, palette::kWhite, highlight);
  drawText(cr, text, x, baseline, font, align, c);
}

void glowingText(cairo_t* cr, const char* text, double x, double baseline, const Font& font, Align align, Rgb core,
                 Rgb glow, double radius) {
  cairo_push_group(cr);
  cairo_new_path(cr);
  textPath(cr, text, x, baseline, font, align);
  setColour(cr, glow);
  cairo_set_line_width(cr, radius * 0.6);
  cairo_stroke_preserve(cr);
  cairo_fill(cr);
  popBlurred(cr, radius, 0.85);
  drawText(cr, text, x, baseline, font, align, core);
}

void screw(cairo_t* cr, double cx, double cy, double r, double turn) {
  using namespace palette;
  circle(cr, cx, cy, r + 0.6);
  setColour(cr, kBlack, 0.55);
  cairo_fill(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.4, cy - r * 0.5, 0, cx, cy, r);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.80, 0.81, 0.83);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.33, 0.34, 0.36);
  circle(cr, cx, cy, r);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, turn);
  cairo_set_line_width(cr, r * 0.32);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 2; ++i) {
    cairo_move_to(cr, -r * 0.6, 0);
    cairo_line_to(cr, r * 0.6, 0);
    cairo_rotate(cr, kPi / 2);
  }
  setColour(cr, kChassisDeep, 0.85);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace sorel::skingen
