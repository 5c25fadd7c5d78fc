#include "shell/about_window.h"

#include "calculator/calc_window.h"
#include "framework/gui/window_building.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/layout_record.h"
#include "shell/about_records.h"

namespace zefa::AboutWindow {
namespace {

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
    rec.AddTableToMethodList();
  });
}

const ClassRecord& Class() {
  static ClassOnce once;
  return BuildClassOnce(once, kClassName, &Window::Class, [](ClassRecord& rec) {
    FillWindowClass<ControlRows, kControlCount>(rec, {Layout, CreateControls, CreateControls0, IsEventImplemented},
                                                HandlerRows());
  });
}

Ref<Window> AboutWindow() { return ImplicitWindow(kClassName, Class()); }

Value Layout(Object* self, Args) {
  if (!self) RaiseNilObjectException();
  SetProperties(*self, AboutWindowRecord());
  return {};
}

Value CreateControls(Object* self, Args) { return CallSlot(self, k_CreateControls0); }

Value CreateControls0(Object* self, Args) {
  BuildControls(self, ControlRows(), HandlerRows());
  return {};
}

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
  return RuntimeIsEventHandled(self, kClassName, args.empty() ? std::string() : args[0].String());
}

}  // namespace zefa::AboutWindow
