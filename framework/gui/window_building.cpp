#include "framework/gui/window_building.h"

#include "framework/gui/canvas.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/layout_record.h"

namespace zefa {
namespace {

Ref<Object> Fetch(Object* window, std::string_view name, const ClassRecord& castTo) {
  Ref<Object> c = RuntimeCheckCast(ControlByName(window, name), castTo);
  if (!c) RaiseNilObjectException();
  return c;
}

}  // namespace

Ref<Window> ImplicitWindow(const char* className, const ClassRecord& cls) {
  Ref<Object> w = GetImplicitWindow(className);
  if (!w) {
    Ref<Object> fresh = RuntimeNewObject(cls);
    CallSlot(fresh.get(), Window::kConstructor);  // a failed construction is released with `fresh`
    w = fresh;
  }
  return CheckCast<Window>(RuntimeCheckCast(w, cls));
}

void FillWindowMethodList(ClassRecord& cls, Method isEventImplemented) {
  for (const Operation& op : cls.table) {
    MethodEntry m{op.name, op.signature, op.fn, {}};
    if (op.name == "_CreateControls0") m.attributes.emplace_back("Hidden", "");
    cls.methods.push_back(std::move(m));
  }
  cls.methods.push_back({"IsEventImplemented", "(String) as Boolean", isEventImplemented, {}});
}

void NewControl(Object* window, const ClassRecord& cls, std::string_view name) {
  Ref<Object> control =
      CallSlot(window, Window::kNew, std::vector<Value>{Value(static_cast<const void*>(&cls))}).ObjectRef();
  if (!control) RaiseNilObjectException();
  CallSlot(control.get(), control->Class().Slot("Constructor"));
  CallSlot(window, Window::k_AddControl, std::vector<Value>{Value(std::string(name)), Value(control)});
}

void SetCanvasBackdrop(Object* window, std::string_view name, Ref<Picture> (*picture)()) {
  CheckedAs<Canvas>(*Fetch(window, name, Canvas::Class())).SetBackdrop(picture());
}

void ApplyControlRecord(Object* window, std::string_view name, const ClassRecord& castTo, const std::string& record) {
  SetProperties(*Fetch(window, name, castTo), record);
}

void BindControlEvent(Object* window, std::string_view name, const ClassRecord& castTo, int event, int handlerSlot,
                      std::string_view signature) {
  Ref<Object> control = Fetch(window, name, castTo);
  // The handler as the window's own class table holds it at this moment.
  Method handler = window->Class().table.at(static_cast<size_t>(handlerSlot)).fn;
  Ref<Delegate> d = RuntimeCreateDelegate(Delegate::IM_Invoke, handler, window, std::string(signature), 1);
  RuntimeAddEventHandler(*control, event, AddHandler::Stub(event), d);
}

}  // namespace zefa
