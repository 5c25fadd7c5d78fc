#pragma once
#include "framework/gui/control.h"
#include "framework/gui/picture.h"

namespace zefa {

// Shows a picture as its backdrop, drawn at its top-left corner.
class Canvas : public RectControl {
 public:
  enum Event {
    kActivate = RectControl::kEventCount, kDeactivate, kDoubleClick, kEnableMenuItems, kGotFocus, kLostFocus,
    kMouseDown, kMouseDrag, kMouseUp, kPaint, kScaleFactorChanged, kEventCount
  };
  static const ClassRecord& Class();
  explicit Canvas(const ClassRecord& cls) : RectControl(cls) {}
  void SetBackdrop(Ref<Picture> pic);  // nil allowed: the canvas then shows nothing
  const Ref<Picture>& Backdrop() const { return backdrop_; }

 protected:
  void CreateWidget(ContentWidget* parent) override;
  FocusPolicy FocusPolicyFor(bool) const override { return allowFocus_ ? FocusPolicy::kStrong : FocusPolicy::kNone; }

 private:
  Ref<Picture> backdrop_;
  bool allowFocus_ = false;
  friend struct CanvasAccess;
};

}  // namespace zefa
