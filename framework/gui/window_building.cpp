#include "framework/gui/window_building.h"

#include <algorithm>
#include <vector>

#include "framework/gui/canvas.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/layout_record.h"

namespace zefa {
namespace {

Ref<Object> Fetch(Object* window, std::string_view name, const ClassRecord& castTo) {
  Ref<Object> c = RuntimeCheckCast(ControlByName(window, name), castTo);
  if (!c) RaiseNilObjectException();
  return c;
}


// The canvas is fetched by name and cast first, and only then is the picture accessor called. A
// row that names no accessor gives no picture, as an accessor that finds none does.
void SetCanvasBackdrop(Object* window, std::string_view name, Ref<Picture> (*picture)()) {
  CheckedAs<Canvas>(*Fetch(window, name, Canvas::Class())).SetBackdrop(picture ? picture() : nullptr);
}

void ApplyControlRecord(Object* window, std::string_view name, const ClassRecord& castTo, const std::string& record) {
  SetProperties(*Fetch(window, name, castTo), record);
}

// Binds event N of the control to the window's handler in the given class-table slot.
void BindControlEvent(Object* window, std::string_view name, const ClassRecord& castTo, int event, int handlerSlot,
                      const std::string& signature) {
  Ref<Object> control = Fetch(window, name, castTo);
  // The handler as the window's own class table holds it at this moment.
  Method handler = window->RuntimeClass().table.at(static_cast<size_t>(handlerSlot)).fn;
  Ref<Delegate> d = RuntimeCreateDelegate(Delegate::IM_Invoke, handler, window, signature, 1);
  RuntimeAddEventHandler(*control, event, AddHandler::Stub(event), d);
}

}  // namespace

void NewControl(Object* window, const ClassRecord& cls, std::string_view name) {
  Ref<Object> control =
      CallSlot(window, Window::kNew, std::vector<Value>{Value(static_cast<const void*>(&cls))}).ObjectRef();
  if (!control) RaiseNilObjectException();
  CallSlot(control.get(), control->RuntimeClass().Slot("Constructor"));
  CallSlot(window, Window::k_AddControl, std::vector<Value>{Value(std::string(name)), Value(control)});
}

Ref<Window> ImplicitWindow(const char* className, const ClassRecord& cls) {
  Ref<Object> w = GetImplicitWindow(className);
  if (!w) {
    Ref<Object> fresh = RuntimeNewObject(cls);
    CallSlot(fresh.get(), Window::kConstructor);  // a failed construction is released with `fresh`
    w = fresh;
  }
  return CheckCast<Window>(RuntimeCheckCast(w, cls));
}

void AddBuildingOperations(ClassRecord& cls, Method layout, Method createControls, Method createControls0) {
  cls.AddOperation("Layout", "()", layout);
  cls.AddOperation("CreateControls", "()", createControls);
  cls.AddOperation("_CreateControls0", "()", createControls0);
  cls.SetHook("CreateControls", createControls);
  cls.SetHook("Layout", layout);
}

void AddHandlers(ClassRecord& cls, std::span<const HandlerRow> handlers) {
  std::vector<const HandlerRow*> bySlot;
  for (const HandlerRow& h : handlers) bySlot.push_back(&h);
  std::sort(bySlot.begin(), bySlot.end(), [](const HandlerRow* a, const HandlerRow* b) { return a->slot < b->slot; });
  for (const HandlerRow* h : bySlot) {
    cls.AddOperation(std::string(h->name), h->event.signature.InClassTable(), h->fn);
    if (h->control == kNoControl) cls.hooks.at(static_cast<size_t>(h->event.number)) = h->fn;
  }
}

void FillWindowMethodList(ClassRecord& cls, Method isEventImplemented) {
  cls.AddTableToMethodList();
  for (MethodEntry& m : cls.methods)
    if (m.name == "_CreateControls0") m.attributes.emplace_back("Hidden", "");
  cls.methods.push_back({"IsEventImplemented", "(String) as Boolean", isEventImplemented, {}});
}

void BuildControls(Object* window, std::span<const ControlRow> controls, std::span<const HandlerRow> handlers) {
  if (!window) RaiseNilObjectException();
  for (const ControlRow& c : controls) {
    const ClassRecord& cls = c.cls();
    NewControl(window, cls, c.name);
    if (&cls == &Canvas::Class()) SetCanvasBackdrop(window, c.name, c.backdrop);
    ApplyControlRecord(window, c.name, c.castTo(), c.record());
    for (const HandlerRow& h : handlers)
      if (h.control == c.accessor)
        BindControlEvent(window, c.name, c.castTo(), h.event.number, h.slot, h.event.signature.InDelegate());
  }
}

}  // namespace zefa
