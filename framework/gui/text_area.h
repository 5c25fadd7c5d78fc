#pragma once
#include "framework/gui/control.h"

namespace zefa {

// TextEdit sits between RectControl and TextArea and adds no events of its own.
struct TextEdit {
  static const ClassRecord& Class();
};

// A text field that holds its text exactly as set, line breaks included, and shows it on one line.
class TextArea : public RectControl {
 public:
  enum Event {
    kEnableMenuItems = RectControl::kEventCount, kGotFocus, kLostFocus, kMouseDown, kMouseUp, kSelChange,
    kTextChange, kValidationError, kEventCount
  };
  static const ClassRecord& Class();
  explicit TextArea(const ClassRecord& cls) : RectControl(cls) {}

  std::string Text() const;
  void SetText(const std::string& text);  // set as given: no mask or length check
  bool ReadOnly() const;
  std::string ValidationMask() const;
  int64_t MaximumCharactersAllowed() const;

 protected:
  void CreateWidget(ContentWidget* parent) override;
};

}  // namespace zefa
