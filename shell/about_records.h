#pragma once
// The splash window's Layout records and the table of its four controls.
#include <array>
#include <string>
#include <string_view>

#include "framework/gui/picture.h"
#include "shell/about_window.h"

namespace zefa::AboutWindow {

struct ControlRow {
  std::string_view name;
  const ClassRecord& (*cls)();       // the class the control is made of
  const ClassRecord& (*castTo)();    // the class it is used as
  Ref<Picture> (*backdrop)();        // canvases only
  const std::string& (*record)();
};
// Canvas1, Label1, Timer1, Canvas2: the creation order.
const std::array<ControlRow, 4>& ControlRows();

const std::string& AboutWindowRecord();
const std::string& Canvas1Record();
const std::string& Label1Record();
const std::string& Timer1Record();
const std::string& Canvas2Record();

// The one-line notice at the foot of the splash window.
inline constexpr std::string_view kRightsNotice = "\xC2\xA9 2026 The ZEFA Calculator team. All rights reserved.";

}  // namespace zefa::AboutWindow
