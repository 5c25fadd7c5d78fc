#include "shell/about_window.h"

#include <utility>

#include "calculator/calc_window.h"
#include "framework/gui/window_building.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/layout_record.h"
#include "shell/about_records.h"

namespace zefa::AboutWindow {
namespace {

// An accessor looks its control up by name on every call and casts it to the class it is used as.
template <size_t I>
Value Accessor(Object* self, Args) {
  if (!self) RaiseNilObjectException();
  const ControlRow& entry = ControlRows()[I];
  return RuntimeCheckCast(ControlByName(self, entry.name), entry.castTo());
}

// Hides the splash window and shows the calculator, building it on first need. The timer is left
// alone, so after an early press it still fires and runs this again to the same effect.
void HandOver() {
  {
    Ref<Window> about = AboutWindow();
    if (!about) RaiseNilObjectException();
    CallSlot(about.get(), Window::kHide);
  }
  Ref<Window> calc = Calc::Calc();
  if (!calc) RaiseNilObjectException();
  CallSlot(calc.get(), Window::kShow);
}

}  // namespace

const ClassRecord& _wrapper_Timer1::Class() {
  static ClassOnce once;
  return BuildClassOnce(once, "AboutWindow._wrapper_Timer1", &Timer::Class, [](ClassRecord& rec) {
    rec.table[kConstructor].fn = [](Object* self, Args) -> Value {
      if (!self) RaiseNilObjectException();
      return {};
    };
    for (const Operation& op : rec.table) rec.methods.push_back({op.name, op.signature, op.fn, {}});
  });
}

const ClassRecord& Class() {
  static ClassOnce once;
  return BuildClassOnce(once, kClassName, &Window::Class, [](ClassRecord& rec) {
    rec.AddOperation("Layout", "()", Layout);
    rec.AddOperation("CreateControls", "()", CreateControls);
    rec.AddOperation("_CreateControls0", "()", CreateControls0);
    rec.AddOperation("Canvas1", "() as Canvas", Accessor<0>);
    rec.AddOperation("Label1", "() as Label", Accessor<1>);
    rec.AddOperation("Timer1", "() as Timer", Accessor<2>);
    rec.AddOperation("Canvas2", "() as Canvas", Accessor<3>);
    rec.AddOperation("Timer1_Action", "(Timer)", Timer1_Action);
    rec.AddOperation("Event_MouseDown", "(Integer, Integer) as Boolean", Event_MouseDown);
    rec.AddOperation("Event_KeyDown", "(String) as Boolean", Event_KeyDown);
    FillWindowMethodList(rec, IsEventImplemented);
    rec.SetHook("CreateControls", CreateControls);
    rec.SetHook("KeyDown", Event_KeyDown);
    rec.SetHook("Layout", Layout);
    rec.SetHook("MouseDown", Event_MouseDown);
  });
}

Ref<Window> AboutWindow() { return ImplicitWindow(kClassName, Class()); }

Value Layout(Object* self, Args) {
  if (!self) RaiseNilObjectException();
  SetProperties(*self, AboutWindowRecord());
  return {};
}

Value CreateControls(Object* self, Args) { return CallSlot(self, k_CreateControls0); }

Value Timer1_Action(Object*, Args) {
  HandOver();
  return {};
}

Value Event_MouseDown(Object*, Args) {
  HandOver();
  return false;
}

Value Event_KeyDown(Object*, Args) {
  HandOver();
  return false;
}

Value IsEventImplemented(Object* self, Args args) {
  return RuntimeIsEventHandled(self, kClassName, args.empty() ? std::string() : args[0].String(), true);
}

}  // namespace zefa::AboutWindow
