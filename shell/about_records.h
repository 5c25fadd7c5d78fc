#pragma once
// The splash window's Layout records and the one table of its four controls and its handlers.
#include <span>
#include <string>
#include <string_view>

#include "framework/gui/window_building.h"
#include "shell/about_window.h"

namespace zefa::AboutWindow {

// The window's one table: Canvas1, Label1, Timer1, Canvas2 in creation order, and its handlers.
inline constexpr size_t kControlCount = 4;
std::span<const ControlRow> ControlRows();
std::span<const HandlerRow> HandlerRows();

const std::string& AboutWindowRecord();
const std::string& Canvas1Record();
const std::string& Label1Record();
const std::string& Timer1Record();
const std::string& Canvas2Record();

// The one-line notice at the foot of the splash window.
inline constexpr std::string_view kRightsNotice = "\xC2\xA9 2026 The ZEFA Calculator team. All rights reserved.";

}  // namespace zefa::AboutWindow
