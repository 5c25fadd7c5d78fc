#pragma once
// The calculator window's Layout records and the table of its controls and bindings.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "calculator/calc_window.h"
#include "framework/gui/picture.h"

namespace zefa::Calc {

inline constexpr size_t kControlCount = 22;

struct ControlRow {
  std::string_view name;
  const ClassRecord& (*cls)();
  Ref<Picture> (*backdrop)();  // canvases only
  const std::string& (*record)();
};
// The 22 controls in creation order.
const std::array<ControlRow, kControlCount>& ControlRows();

struct BindingRow {
  std::string_view control;
  int event;
  Slot handler;
  std::string_view signature;
};
// The 31 bindings in the order they are made.
std::span<const BindingRow> BindingRows();

const std::string& CalcWindowRecord();
// The rights notice the window shows at its foot.
inline constexpr std::string_view kRightsNotice = "\xC2\xA9 2026 The ZEFA Calculator team";

}  // namespace zefa::Calc
