// The UI binary: the product's editor embedded in the host's X11 window
// (ui:parent), driven by the host's idle calls, talking to the host through
// ports (see uieffect.h).
#include <X11/Xlib.h>
#include <lv2/instance-access/instance-access.h>
#include <lv2/ui/ui.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "effectinstance.h"
#include "uieffect.h"

namespace sorel::lv2 {
namespace {

struct Ui {
  std::unique_ptr<UiEffect> effect;
  int width = 0;
  int height = 0;
};

std::vector<Window> childrenOf(Display* display, Window parent) {
  Window root = 0, up = 0, *children = nullptr;
  unsigned count = 0;
  std::vector<Window> out;
  if (XQueryTree(display, parent, &root, &up, &children, &count)) out.assign(children, children + count);
  if (children) XFree(children);
  return out;
}

// Opens the editor on `parent` and returns the window it put there: the one
// child that was not there before, or 0.
Window openEditor(UiEffect& effect, Window parent) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 0;
  const std::vector<Window> before = childrenOf(display, parent);
  Window editor = 0;
  if (effect.dispatcher(effEditOpen, 0, 0, reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent)), 0.0f)) {
    for (Window w : childrenOf(display, parent))
      if (std::find(before.begin(), before.end(), w) == before.end()) editor = w;
  }
  XCloseDisplay(display);
  return editor;
}

const void* featureData(const LV2_Feature* const* features, const char* uri) {
  for (auto f = features; f && *f; ++f)
    if (std::strcmp((*f)->URI, uri) == 0) return (*f)->data;
  return nullptr;
}

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*, LV2UI_Write_Function write,
                         LV2UI_Controller controller, LV2UI_Widget* widget, const LV2_Feature* const* features) {
  const Variant* variant = nullptr;
  for (const Variant& v : kVariants)
    if (pluginUri && std::strcmp(pluginUri, v.uri) == 0) variant = &v;
  const void* parent = featureData(features, LV2_UI__parent);
  if (!variant || !parent || !write || !widget) return nullptr;
  HostLink link{write, controller, static_cast<const LV2UI_Touch*>(featureData(features, LV2_UI__touch)),
                static_cast<const LV2UI_Resize*>(featureData(features, LV2_UI__resize))};
  // The host's instance handle is the DSP binary's instance.
  auto* dsp = static_cast<EffectInstance*>(const_cast<void*>(featureData(features, LV2_INSTANCE_ACCESS_URI)));
  try {
    auto ui = std::make_unique<Ui>();
    ui->effect = std::make_unique<UiEffect>(*variant, link, dsp);
    const Window editor = openEditor(*ui->effect, static_cast<Window>(reinterpret_cast<std::uintptr_t>(parent)));
    ERect* rect = nullptr;
    if (!editor || !ui->effect->dispatcher(effEditGetRect, 0, 0, &rect, 0.0f) || !rect) return nullptr;
    ui->width = rect->right - rect->left;
    ui->height = rect->bottom - rect->top;
    if (link.resize) link.resize->ui_resize(link.resize->handle, ui->width, ui->height);
    *widget = reinterpret_cast<LV2UI_Widget>(static_cast<std::uintptr_t>(editor));
    return ui.release();
  } catch (...) {
    return nullptr;
  }
}

UiEffect& effectOf(LV2UI_Handle h) { return *static_cast<Ui*>(h)->effect; }

void cleanup(LV2UI_Handle h) {
  auto* ui = static_cast<Ui*>(h);
  ui->effect->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
  delete ui;
}

void portEvent(LV2UI_Handle h, uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
  if (format != 0 || size != sizeof(float) || !buffer) return;
  float value = 0.0f;
  std::memcpy(&value, buffer, sizeof value);
  effectOf(h).portEvent(port, value);
}

// The host's idle call paints and handles the editor's events, then sends
// the host whatever the editor changed on its own (a store recalled, sets
// transferred, a page shown).
int idle(LV2UI_Handle h) {
  effectOf(h).dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
  effectOf(h).syncToHost();
  return 0;
}

// The editor has one size: a host asking for another is refused.
int resize(LV2UI_Feature_Handle h, int width, int height) {
  const auto* ui = static_cast<const Ui*>(h);
  return width == ui->width && height == ui->height ? 0 : 1;
}

const void* extensionData(const char* uri) {
  static const LV2UI_Idle_Interface idleInterface{idle};
  static const LV2UI_Resize resizeInterface{nullptr, resize};
  if (std::strcmp(uri, LV2_UI__idleInterface) == 0) return &idleInterface;
  if (std::strcmp(uri, LV2_UI__resize) == 0) return &resizeInterface;
  return nullptr;
}

const LV2UI_Descriptor kDescriptor{kUiUri, instantiate, cleanup, portEvent, extensionData};

}  // namespace
}  // namespace sorel::lv2

LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
  return index == 0 ? &sorel::lv2::kDescriptor : nullptr;
}
