#pragma once
// Recipes for the Layout records of the four control kinds: each record is the entries every
// control starts with, the kind's own entries in its fixed order, and an empty InitialParent.
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/gui/control.h"
#include "framework/gui/window.h"

namespace zefa {

// Where a control sits and how the Tab key reaches it; the locks that pin its edges to the
// window's are off unless named.
struct Placement {
  int64_t left = 0, top = 0, width = 0, height = 0;
  bool lockLeft = false, lockTop = false, lockRight = false, lockBottom = false;
  int64_t tabIndex = 0;
  bool tabStop = false;
};

// The entries in which the records of one kind differ; the rest they share.
struct CanvasLook {
  bool allowFocusRing = true;
  bool visible = true;
  bool doubleBufferEntry = true;  // whether the record holds a DoubleBuffer entry at all
};
std::string CanvasRecord(std::string_view name, const Placement& p, const CanvasLook& look);

struct TextAreaSetup {
  bool allowFocusRing = true;
  std::string_view value = {};  // the text it starts with
  int64_t maxChars = 0;         // 0: no limit
  std::string_view mask = {};
  bool readOnly = false;
};
std::string TextAreaRecord(std::string_view name, const Placement& p, const TextAreaSetup& setup);
std::string PushButtonRecord(std::string_view name, const Placement& p, std::string_view caption);

struct LabelLook {
  int64_t alignment = 0;
  uint32_t textColor = 0x800000;
  bool bold = true;
  float fontSize = 0.0f;
};
std::string LabelRecord(std::string_view name, const Placement& p, std::string_view value, const LabelLook& look);

// A window record: what differs between the program's windows; the rest they share.
struct WindowShape {
  int64_t width = 0, height = 0, maxWidth = kCoordinateLimit, maxHeight = kCoordinateLimit;  // no limit
  int64_t type = 0;
  std::string_view title;
  bool zoomButtons = false;  // maximize and minimize
  bool resizeable = false;
  bool liveResizeEntry = false;  // whether the record holds a LiveResize entry at all
};
std::string WindowRecord(const WindowShape& w);

// The record of a window's control, named after the control, built on first use and kept for the
// life of the process: ZEFA_CONTROL_RECORD(IQFld, TextAreaRecord, {placement}, {setup}) defines
// IQFldRecord(), the record a ZEFA_CONTROL row of that name takes.
#define ZEFA_CONTROL_RECORD(control, recipe, ...)                   \
  const std::string& control##Record() {                            \
    static const std::string bytes = recipe(#control, __VA_ARGS__); \
    return bytes;                                                   \
  }

}  // namespace zefa
