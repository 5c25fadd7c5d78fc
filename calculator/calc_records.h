#pragma once
// The calculator window's Layout records and the one table of its controls and handlers.
#include <span>
#include <string>
#include <string_view>

#include "calculator/calc_window.h"
#include "framework/gui/window_building.h"

namespace zefa::Calc {

// The window's one table: its 22 controls in creation order and its 32 handlers.
inline constexpr size_t kControlCount = 22;
std::span<const ControlRow> ControlRows();
std::span<const HandlerRow> HandlerRows();

const std::string& CalcWindowRecord();
// The rights notice the window shows at its foot.
inline constexpr std::string_view kRightsNotice = "\xC2\xA9 2026 The ZEFA Calculator team";

}  // namespace zefa::Calc
