#pragma once
#include "framework/gui/control.h"

namespace zefa {

// A button with a caption; a click raises its Action event.
class PushButton : public RectControl {
 public:
  enum Event { kAction = RectControl::kEventCount, kGotFocus, kLostFocus, kMouseDown, kMouseUp, kEventCount };
  static const ClassRecord& Class();
  explicit PushButton(const ClassRecord& cls) : RectControl(cls) {}
  std::string Caption() const;

 protected:
  void CreateWidget(ContentWidget* parent) override;
  // A button that is no tab stop does not take the focus from the field being edited either.
  FocusPolicy FocusPolicyFor(bool tabStop) const override { return tabStop ? FocusPolicy::kStrong : FocusPolicy::kNone; }
};

}  // namespace zefa
