#pragma once
#include "framework/gui/control.h"

namespace zefa {

// One line of styled text that reports the pointer entering, leaving and pressing.
class Label : public RectControl {
 public:
  enum Event { kAcceleratorKey = RectControl::kEventCount, kMouseDown, kMouseDrag, kMouseUp, kEventCount };
  static const ClassRecord& Class();
  explicit Label(const ClassRecord& cls) : RectControl(cls) {}
  std::string Text() const;
  void SetText(const std::string& text);

 protected:
  void CreateWidget(ContentWidget* parent) override;
  FocusPolicy FocusPolicyFor(bool) const override { return FocusPolicy::kNone; }
};

}  // namespace zefa
