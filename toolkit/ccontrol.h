// A view with a value: range, default, tag, listener, counted edit gestures.
// The value may be set from any thread; drawing picks it up at the next idle.
#pragma once

#include <atomic>

#include "ccontrollistener.h"
#include "cview.h"

namespace VSTGUI {

class CControl : public CView {
 public:
  CControl(const CRect& size, CControlListener* listener = nullptr, int32_t tag = 0, CBitmap* background = nullptr);

  // Clamps to [min, max] and stores; tells nobody.
  virtual void setValue(float val);
  virtual float getValue() const { return value.load(std::memory_order_relaxed); }
  virtual void setValueNormalized(float val);
  virtual float getValueNormalized() const;
  virtual void setMin(float val) { vmin = val; }
  virtual float getMin() const { return vmin; }
  virtual void setMax(float val) { vmax = val; }
  virtual float getMax() const { return vmax; }
  void setOldValue(float val) { oldValue.store(val, std::memory_order_relaxed); }
  float getOldValue() const { return oldValue.load(std::memory_order_relaxed); }
  virtual void setDefaultValue(float val) { defaultValue = val; }
  virtual float getDefaultValue() const { return defaultValue; }
  virtual void setWheelInc(float val) { wheelInc = val; }
  virtual float getWheelInc() const { return wheelInc; }
  virtual void setTag(int32_t val) { tag = val; }
  int32_t getTag() const { return tag; }
  virtual void setListener(CControlListener* l) { listener = l; }
  CControlListener* getListener() const { return listener; }
  // Clamps the stored value into the range again.
  virtual void bounceValue();
  // Tells the listener.
  virtual void valueChanged();

  // A value that differs from the last drawn one counts as dirty.
  void setDirty(bool state = true) override;
  bool isDirty() const override;

  // Counted gestures: only the outermost begin and end reach the listener and
  // the frame (which forwards them to the editor).
  virtual void beginEdit();
  virtual void endEdit();
  bool isEditing() const { return editing > 0; }

  // A pure left click with exactly the default-value modifier sets the default
  // value as one gesture; true when it was such a click.
  virtual bool checkDefaultValue(CButtonState buttons);

  bool isTypeOf(const char* type) const override;

  static int32_t kZoomModifier;
  static int32_t kDefaultValueModifier;

 protected:
  CControlListener* listener;
  int32_t tag;
  std::atomic<float> value{0.f};
  std::atomic<float> oldValue{1.f};
  float defaultValue = 0.5f;
  float vmin = 0.f;
  float vmax = 1.f;
  float wheelInc = 0.1f;
  int32_t editing = 0;
};

}  // namespace VSTGUI
