#pragma once
#include <string>

namespace zefa {
// The display's bell.
void Beep();
// A modal message box showing the text; returns once the user has dismissed it.
void MsgBox(const std::string& text);
}  // namespace zefa
