#include "shell/about_records.h"

#include "calculator/project_pictures.h"
#include "framework/gui/canvas.h"
#include "framework/gui/control_records.h"
#include "framework/gui/label.h"
#include "framework/gui/window_building.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/layout_record.h"

namespace zefa::AboutWindow {
namespace {

const ClassRecord& TimerClass() { return Timer::Class(); }
const ClassRecord& WrapperClass() { return _wrapper_Timer1::Class(); }
Ref<Picture> NoBackdrop() { return nullptr; }

}  // namespace

// Records are built on first use and kept for the life of the process.
const std::string& Canvas1Record() {
  static const std::string bytes = CanvasRecord(
      {.name = "Canvas1", .left = 48, .top = 54, .width = 404, .height = 76, .lockLeft = true, .lockTop = true,
       .tabIndex = 0, .tabStop = true},
      {});
  return bytes;
}

const std::string& Label1Record() {
  static const std::string bytes = LabelRecord(
      {.name = "Label1", .left = 94, .top = 238, .width = 311, .height = 20, .lockLeft = true, .lockTop = true,
       .tabIndex = 1},
      kRightsNotice, {.alignment = 2, .textColor = 0x800002, .bold = true, .fontSize = 11.0f});
  return bytes;
}

// Only the run mode and the period: no name, no parent.
const std::string& Timer1Record() {
  static const std::string bytes = LayoutWriter().Enum("RunMode", Timer::kSingle).Integer("Period", 4000).Bytes();
  return bytes;
}

// Unlike Canvas1 it has no DoubleBuffer entry.
const std::string& Canvas2Record() {
  static const std::string bytes = CanvasRecord(
      {.name = "Canvas2", .left = 216, .top = 142, .width = 69, .height = 67, .lockLeft = true, .lockTop = true,
       .tabIndex = 2, .tabStop = true},
      {.doubleBufferEntry = false});
  return bytes;
}

const std::string& AboutWindowRecord() {
  static const std::string bytes = WindowRecord(
      {.width = 500, .height = 300, .type = 4, .title = "Untitled", .zoomButtons = true, .resizeable = true});
  return bytes;
}

const std::array<ControlRow, 4>& ControlRows() {
  static const std::array<ControlRow, 4> rows = {{
      {"Canvas1", Canvas::Class, Canvas::Class, _x_ZEFAtitle::ZEFAtitle, Canvas1Record},
      {"Label1", Label::Class, Label::Class, NoBackdrop, Label1Record},
      {"Timer1", WrapperClass, TimerClass, NoBackdrop, Timer1Record},
      {"Canvas2", Canvas::Class, Canvas::Class, _x_Ride64::Ride64, Canvas2Record},
  }};
  return rows;
}

// Builds the four controls in their order: create, register, give a canvas its backdrop before
// its record, apply the record; then bind the timer's Action. The first error stops the building.
Value CreateControls0(Object* self, Args) {
  if (!self) RaiseNilObjectException();
  for (const ControlRow& entry : ControlRows()) {
    const ClassRecord& cls = entry.cls();
    NewControl(self, cls, entry.name);
    if (&cls == &Canvas::Class()) SetCanvasBackdrop(self, entry.name, entry.backdrop);
    ApplyControlRecord(self, entry.name, entry.castTo(), entry.record());
    if (&cls == &_wrapper_Timer1::Class())
      BindControlEvent(self, entry.name, Timer::Class(), Timer::kAction, kTimer1_Action, "( Timer )");
  }
  return {};
}

}  // namespace zefa::AboutWindow
