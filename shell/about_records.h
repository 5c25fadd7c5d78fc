#pragma once
// The splash window's Layout records. The window's table of controls and handlers, declared in
// about_window.h, is defined beside them.
#include <string>

#include "calculator/calc_window.h"
#include "shell/about_window.h"

namespace zefa::AboutWindow {

const std::string& AboutWindowRecord();
const std::string& Canvas1Record();
const std::string& Label1Record();
const std::string& Timer1Record();
const std::string& Canvas2Record();

// The one-line notice at the foot of the splash window.
inline const std::string kRightsNotice = std::string(Calc::kRightsNotice) + ". All rights reserved.";

}  // namespace zefa::AboutWindow
