// sorel-toolkit-demo: a top-level X11 window holding a frame with a few of
// the toolkit's stock controls, driven by an idle loop every 16 ms the way a
// host drives an editor. The images are drawn here with cairo, so the demo
// needs none of the skin's artwork.
//
// On a desktop:      build-x11/tests/x11/sorel-toolkit-demo
// Without a display (one line):
//   xvfb-run -a -s "-screen 0 1280x800x24" build-x11/tests/x11/sorel-toolkit-demo
//            --screenshot demo.png --after-ms 500
//   (or start `Xvfb :5 -screen 0 1280x800x24 -nolisten tcp &` and run it with
//   DISPLAY=:5; xdotool can click and drag in it meanwhile).
// --screenshot grabs the window after the given time, writes it as a PNG and
// exits; otherwise the demo runs until interrupted.
#include <X11/Xutil.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "canimknob.h"
#include "cbitmap.h"
#include "cframe.h"
#include "conoffbutton.h"
#include "cparamdisplay.h"
#include "ctextedit.h"
#include "ctextlabel.h"
#include "hostwindow.h"
#include "screenshot.h"
#include "platform/cairo/cairobitmap.h"
#include "platform/x11/x11frame.h"

namespace {

using namespace VSTGUI;

constexpr int kWidth = 420;
constexpr int kHeight = 220;
constexpr int kKnobSize = 64;
constexpr int kKnobFrames = 61;

volatile std::sig_atomic_t stopRequested = 0;

// --- Images ---

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* bytes = static_cast<std::vector<unsigned char>*>(closure);
  bytes->insert(bytes->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

std::vector<unsigned char> encode(cairo_surface_t* surface) {
  std::vector<unsigned char> png;
  cairo_surface_write_to_png_stream(surface, appendBytes, &png);
  cairo_surface_destroy(surface);
  return png;
}

// A film strip of a knob: a dark disc with an orange arc and a pointer.
std::vector<unsigned char> knobStrip() {
  cairo_surface_t* strip = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kKnobSize, kKnobSize * kKnobFrames);
  cairo_t* cr = cairo_create(strip);
  const double c = kKnobSize / 2.0;
  const double start = 0.75 * std::numbers::pi;
  const double range = 1.5 * std::numbers::pi;
  for (int i = 0; i < kKnobFrames; ++i) {
    const double y = i * kKnobSize;
    const double angle = start + range * i / (kKnobFrames - 1);
    cairo_arc(cr, c, y + c, c - 6, 0, 2 * std::numbers::pi);
    cairo_set_source_rgb(cr, 0.16, 0.17, 0.19);
    cairo_fill(cr);
    cairo_set_line_width(cr, 4);
    cairo_arc(cr, c, y + c, c - 3, start, start + range);
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.32);
    cairo_stroke(cr);
    if (i > 0) {
      cairo_arc(cr, c, y + c, c - 3, start, angle);
      cairo_set_source_rgb(cr, 0.95, 0.55, 0.15);
      cairo_stroke(cr);
    }
    cairo_set_line_width(cr, 3);
    cairo_move_to(cr, c + 8 * std::cos(angle), y + c + 8 * std::sin(angle));
    cairo_line_to(cr, c + (c - 10) * std::cos(angle), y + c + (c - 10) * std::sin(angle));
    cairo_set_source_rgb(cr, 0.92, 0.92, 0.92);
    cairo_stroke(cr);
  }
  cairo_destroy(cr);
  return encode(strip);
}

// Both pictures of a switch, off above on.
std::vector<unsigned char> switchPictures() {
  cairo_surface_t* pictures = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 60, 56);
  cairo_t* cr = cairo_create(pictures);
  for (int on = 0; on < 2; ++on) {
    const double y = on * 28;
    cairo_rectangle(cr, 2, y + 2, 56, 24);
    cairo_set_source_rgb(cr, on ? 0.95 : 0.25, on ? 0.55 : 0.26, on ? 0.15 : 0.28);
    cairo_fill(cr);
    cairo_rectangle(cr, on ? 32 : 6, y + 6, 22, 16);
    cairo_set_source_rgb(cr, 0.92, 0.92, 0.92);
    cairo_fill(cr);
  }
  cairo_destroy(cr);
  return encode(pictures);
}

// --- The editor ---

class DemoEditor : public VSTGUIEditorInterface, public CControlListener {
 public:
  bool open(void* parent) {
    images::registerForTest("demo-knob", knobStrip());
    images::registerForTest("demo-switch", switchPictures());
    frame = new CFrame(CRect(0, 0, kWidth, kHeight), this);
    frame->setBackgroundColor(CColor{34, 36, 40, 255});
    addTitle();
    addKnob(0, CRect(40, 50, 40 + kKnobSize, 50 + kKnobSize), 0.3f);
    addKnob(1, CRect(150, 50, 150 + kKnobSize, 50 + kKnobSize), 0.75f);
    addSwitch(CRect(270, 70, 330, 98));
    addEntry(CRect(250, 150, 390, 172));
    return frame->open(parent);
  }
  void close() {
    if (frame) frame->close();
    frame = nullptr;
  }
  void idle() {
    if (!frame || !frame->getPlatformFrame()) return;
    CFrame::UIScope scope;
    IPlatformFrame* window = frame->getPlatformFrame();
    window->remember();
    window->pumpEvents();
    frame->idle();
    window->paintPending();
    window->forget();
  }
  Window window() const {
    auto* x11Frame = frame ? static_cast<x11::X11Frame*>(frame->getPlatformFrame()) : nullptr;
    return x11Frame ? x11Frame->getWindow() : 0;
  }

  void valueChanged(CControl* control) override {
    const int32_t tag = control->getTag();
    if (tag >= 0 && tag < 2 && readouts[tag]) readouts[tag]->setValue(control->getValue());
    std::printf("control %d: %.3f\n", tag, static_cast<double>(control->getValue()));
    std::fflush(stdout);
  }

 private:
  void addTitle() {
    auto* title = new CTextLabel(CRect(20, 12, 400, 34), "Toolkit demo: drag the knobs, click the switch");
    title->setTransparency(true);
    title->setHoriAlign(kLeftText);
    title->setFontColor(CColor{220, 220, 220, 255});
    frame->addView(title);
  }
  void addKnob(int32_t tag, const CRect& where, float value) {
    auto* strip = new CBitmap("demo-knob");
    auto* knob = new CAnimKnob(where, this, tag, kKnobFrames, kKnobSize, strip);
    strip->forget();  // the knob keeps its own reference
    knob->setValue(value);
    frame->addView(knob);
    auto* readout = new CParamDisplay(CRect(where.left - 8, where.bottom + 8, where.right + 8, where.bottom + 28));
    readout->setBackColor(CColor{20, 21, 24, 255});
    readout->setFrameColor(CColor{70, 72, 78, 255});
    readout->setValue(value);
    frame->addView(readout);
    readouts[tag] = readout;
  }
  void addSwitch(const CRect& where) {
    auto* pictures = new CBitmap("demo-switch");
    auto* button = new COnOffButton(where, this, 2, pictures);
    pictures->forget();
    button->setValue(1.f);
    frame->addView(button);
  }
  void addEntry(const CRect& where) {
    auto* label = new CTextLabel(CRect(where.left, where.top - 24, where.right, where.top - 4), "Click to edit:");
    label->setTransparency(true);
    label->setHoriAlign(kLeftText);
    label->setFontColor(CColor{180, 180, 180, 255});
    frame->addView(label);
    auto* entry = new CTextEdit(where, this, 3, "-12.0 dB");
    entry->setBackColor(CColor{20, 21, 24, 255});
    entry->setFrameColor(CColor{70, 72, 78, 255});
    frame->addView(entry);
  }

  CParamDisplay* readouts[2] = {nullptr, nullptr};
};

// --- Screenshot ---

bool screenshot(Display* display, Window window, const char* path) {
  return sorel::testing::writeWindowPNG(display, window, kWidth, kHeight, path);
}

struct Options {
  const char* screenshotPath = nullptr;
  long afterMs = 500;
};

bool parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--screenshot" && i + 1 < argc) {
      options.screenshotPath = argv[++i];
    } else if (arg == "--after-ms" && i + 1 < argc) {
      options.afterMs = std::strtol(argv[++i], nullptr, 10);
    } else {
      std::fprintf(stderr, "usage: %s [--screenshot out.png [--after-ms N]]\n", argv[0]);
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parse(argc, argv, options)) return 2;
  std::signal(SIGINT, [](int) { stopRequested = 1; });
  std::signal(SIGTERM, [](int) { stopRequested = 1; });

  sorel::testing::HostWindow host(100, 100, kWidth, kHeight);
  if (!host.isOpen()) {
    std::fprintf(stderr, "cannot open the X display (is DISPLAY set?)\n");
    return 1;
  }
  XStoreName(host.getDisplay(), host.getWindow(), "sorel-toolkit-demo");
  XFlush(host.getDisplay());
  DemoEditor editor;
  if (!editor.open(host.handle())) {
    std::fprintf(stderr, "the frame did not open\n");
    editor.close();
    return 1;
  }
  const uint32_t start = platformTicks();
  int result = 0;
  while (!stopRequested) {
    editor.idle();
    if (options.screenshotPath && static_cast<long>(platformTicks() - start) >= options.afterMs) {
      XSync(host.getDisplay(), False);
      result = screenshot(host.getDisplay(), editor.window(), options.screenshotPath) ? 0 : 1;
      std::printf("%s %s\n", result == 0 ? "wrote" : "could not write", options.screenshotPath);
      std::fflush(stdout);
      break;
    }
    platformSleep(16);
  }
  editor.close();
  // Hand back the libraries' caches, so a leak checker sees only real leaks.
  cairo_debug_reset_static_data();
  FcFini();
  return result;
}
