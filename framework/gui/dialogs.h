#pragma once
#include <string>

namespace zefa {
struct ClassRecord;

// The display's bell.
void Beep();
// A modal message box showing the text; returns once the user has dismissed it.
void MsgBox(const std::string& text);

// The message dialog's class record. A record only: message boxes are shown with MsgBox.
struct MessageDialog {
  static const ClassRecord& Class();
};
}  // namespace zefa
