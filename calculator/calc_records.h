#pragma once
// The calculator window's Layout records. The window's table of controls and handlers, declared
// in calc_window.h, is defined beside them.
#include <string>
#include <string_view>

#include "calculator/calc_window.h"

namespace zefa::Calc {

const std::string& CalcWindowRecord();
// The rights notice the window shows at its foot.
inline constexpr std::string_view kRightsNotice = "\xC2\xA9 2026 The ZEFA Calculator team";

}  // namespace zefa::Calc
