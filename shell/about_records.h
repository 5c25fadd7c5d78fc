#pragma once
// The splash window's Layout records. The window's table of controls and handlers, declared in
// about_window.h, is defined beside them.
#include <string>
#include <string_view>

#include "shell/about_window.h"

namespace zefa::AboutWindow {

const std::string& AboutWindowRecord();
const std::string& Canvas1Record();
const std::string& Label1Record();
const std::string& Timer1Record();
const std::string& Canvas2Record();

// The one-line notice at the foot of the splash window.
inline constexpr std::string_view kRightsNotice = "\xC2\xA9 2026 The ZEFA Calculator team. All rights reserved.";

}  // namespace zefa::AboutWindow
