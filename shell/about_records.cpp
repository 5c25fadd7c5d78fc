#include "shell/about_records.h"

#include "pictures/project_pictures.h"
#include "framework/gui/canvas.h"
#include "framework/gui/control_records.h"
#include "framework/gui/label.h"
#include "framework/gui/window_building.h"
#include "framework/runtime/layout_record.h"
#include "shell/about_window.h"

namespace zefa::AboutWindow {

// Records are built on first use and kept for the life of the process.
ZEFA_CONTROL_RECORD(Canvas1, CanvasRecord,
    {.left = 48, .top = 54, .width = 404, .height = 76, .lockLeft = true, .lockTop = true, .tabIndex = 0,
     .tabStop = true},
    {})

ZEFA_CONTROL_RECORD(Label1, LabelRecord,
    {.left = 94, .top = 238, .width = 311, .height = 20, .lockLeft = true, .lockTop = true, .tabIndex = 1},
    kRightsNotice, {.alignment = 2, .textColor = 0x800002, .bold = true, .fontSize = 11.0f})

// Only the run mode and the period: no name, no parent.
const std::string& Timer1Record() {
  static const std::string bytes = LayoutWriter().Enum("RunMode", Timer::kSingle).Integer("Period", 4000).Bytes();
  return bytes;
}

// Unlike Canvas1 it has no DoubleBuffer entry.
ZEFA_CONTROL_RECORD(Canvas2, CanvasRecord,
    {.left = 216, .top = 142, .width = 69, .height = 67, .lockLeft = true, .lockTop = true, .tabIndex = 2,
     .tabStop = true},
    {.doubleBufferEntry = false})

const std::string& AboutWindowRecord() {
  static const std::string bytes = WindowRecord(
      {.width = 500, .height = 300, .type = 4, .title = "Untitled", .zoomButtons = true, .resizeable = true});
  return bytes;
}

namespace {

// The events the window handles: the timer's Action, and the window's own MouseDown and KeyDown.
namespace on {
constexpr HandledEvent Action{Timer::Class, Timer::kAction, {"Timer", ""}};
constexpr HandledEvent MouseDown{Window::Class, Window::kMouseDown, {"Integer, Integer", "Boolean"}};
constexpr HandledEvent KeyDown{Window::Class, Window::kKeyDown, {"String", "Boolean"}};
}  // namespace on

// The controls in creation order, which is also their accessors' order in the class table.
// Timer1 is made of the window's own timer class and used as a plain Timer.
constexpr ControlRow kControls[] = {
    ZEFA_CONTROL(Canvas1, Canvas, _x_ZEFAtitle::ZEFAtitle),
    ZEFA_CONTROL(Label1, Label, nullptr),
    ZEFA_CONTROL_AS(Timer1, _wrapper_Timer1, Timer, nullptr),
    ZEFA_CONTROL(Canvas2, Canvas, _x_Ride64::Ride64),
};
static_assert(std::size(kControls) == kControlCount);
static_assert(AccessorsInCreationOrder(kControls, k_CreateControls0 + 1), "accessors follow the controls' order");

// The one binding, then the window's own events; the three handlers share the hand-over.
constexpr HandlerRow kHandlers[] = {
    ZEFA_BIND(Timer1, Action),
    ZEFA_HOOK(MouseDown),
    ZEFA_HOOK(KeyDown),
};
static_assert(HandlersFitTheTable(kHandlers, kControls, kSlotCount),
              "each handler slot has one row; bindings go by control, with its class's events");

}  // namespace

std::span<const ControlRow> ControlRows() { return kControls; }
std::span<const HandlerRow> HandlerRows() { return kHandlers; }

}  // namespace zefa::AboutWindow
