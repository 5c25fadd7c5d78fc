#include "calculator/calc_window.h"

#include "calculator/calc_records.h"
#include "framework/gui/application.h"
#include "framework/gui/window_building.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/layout_record.h"

namespace zefa::Calc {

const ClassRecord& Class() {
  static ClassOnce once;
  return BuildClassOnce(once, kClassName, &Window::Class, [](ClassRecord& rec) {
    FillWindowClass<ControlRows, kControlCount>(rec, {Layout, CreateControls, CreateControls0, IsEventImplemented},
                                                HandlerRows());
  });
}

Ref<Window> Calc() { return ImplicitWindow(kClassName, Class()); }

Value Layout(Object* self, Args) {
  if (!self) RaiseNilObjectException();
  SetProperties(*self, CalcWindowRecord());
  return {};
}

Value CreateControls(Object* self, Args) { return CallSlot(self, k_CreateControls0); }

Value CreateControls0(Object* self, Args) {
  BuildControls(self, ControlRows(), HandlerRows());
  return {};
}

Value Event_Close(Object* self, Args) {
  if (!self) RaiseNilObjectException();
  Quit(0);
  return {};
}

Value IsEventImplemented(Object* self, Args args) {
  return RuntimeIsEventHandled(self, kClassName, args.empty() ? std::string() : args[0].String());
}

}  // namespace zefa::Calc
