#pragma once
// The steps every window class of the program takes to come into being and build its controls,
// and the one table of its controls and handlers that drives them.
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "framework/gui/picture.h"
#include "framework/gui/window.h"
#include "framework/runtime/exceptions.h"

namespace zefa {

// One control of a window class, in creation order: its accessor's class-table slot, its name,
// the class it is made of and the class it is used as, its backdrop (canvases only; null for none)
// and its Layout record.
struct ControlRow {
  int accessor;
  std::string_view name;
  const ClassRecord& (*cls)();
  const ClassRecord& (*castTo)();
  Ref<Picture> (*backdrop)();
  const std::string& (*record)();
};

// An event a window class handles: the class whose event it is (a control's, or Window for the
// window's own), its number there, and the signature of the handler. The same name has different
// numbers in different classes.
struct HandledEvent {
  const ClassRecord& (*cls)();
  int number;
  Signature signature;
};

inline constexpr int kNoControl = -1;
// One handler of a window class: its class-table slot, name and method, and the event that calls
// it: a control's (named by the control's accessor slot) or the window's own (kNoControl).
struct HandlerRow {
  int slot;
  std::string_view name;
  Method fn;
  int control;
  HandledEvent event;
};

// A window's table names each control and handler once; these rows take the rest from it.
// ZEFA_CONTROL(IQFld, TextArea, nullptr): the control "IQFld" of class TextArea, its accessor in
// slot kIQFld, its record from IQFldRecord(). ZEFA_CONTROL_AS names the class it is used as.
// ZEFA_BIND(IQFld, KeyDown): the handler IQFld_KeyDown in slot kIQFld_KeyDown, bound to the
// control's event on::KeyDown. ZEFA_HOOK(Close): Event_Close, the hook of the window's on::Close.
#define ZEFA_CONTROL_AS(name, cls, usedAs, backdrop) \
  ::zefa::ControlRow { k##name, #name, cls::Class, usedAs::Class, backdrop, name##Record }
#define ZEFA_CONTROL(name, cls, backdrop) ZEFA_CONTROL_AS(name, cls, cls, backdrop)
#define ZEFA_BIND(control, event) \
  ::zefa::HandlerRow { k##control##_##event, #control "_" #event, control##_##event, k##control, on::event }
#define ZEFA_HOOK(event) \
  ::zefa::HandlerRow { kEvent_##event, "Event_" #event, Event_##event, ::zefa::kNoControl, on::event }

// What the compiler checks of a window's table against its Slot enum. The accessors follow the
// three building operations in creation order:
constexpr bool AccessorsInCreationOrder(std::span<const ControlRow> controls, int firstAccessor) {
  for (size_t i = 0; i < controls.size(); ++i)
    if (controls[i].accessor != firstAccessor + static_cast<int>(i)) return false;
  return true;
}
// the handlers take every slot after the accessors once (their rows may go in any order):
constexpr bool HandlersTakeEachSlotOnce(std::span<const HandlerRow> handlers, int first, int end) {
  if (handlers.size() != static_cast<size_t>(end - first)) return false;
  for (int slot = first; slot < end; ++slot) {
    int found = 0;
    for (const HandlerRow& h : handlers) found += h.slot == slot;
    if (found != 1) return false;
  }
  return true;
}
// and the bindings name controls of the table in creation order, as the building makes them, each
// with an event of the class the control is used as.
constexpr bool BindingsFitTheirControls(std::span<const HandlerRow> handlers, std::span<const ControlRow> controls) {
  if (controls.empty()) return true;
  int first = controls.front().accessor, last = first;
  for (const HandlerRow& h : handlers) {
    if (h.control == kNoControl) continue;
    if (h.control < last || h.control >= first + static_cast<int>(controls.size())) return false;
    if (h.event.cls != controls[static_cast<size_t>(h.control - first)].castTo) return false;
    last = h.control;
  }
  return true;
}

// Both at once: the handler rows fill the slots after the table's accessors up to slotCount, and
// bind controls of the table.
constexpr bool HandlersFitTheTable(std::span<const HandlerRow> handlers, std::span<const ControlRow> controls,
                                   int slotCount) {
  int first = controls.empty() ? slotCount : controls.back().accessor + 1;
  return HandlersTakeEachSlotOnce(handlers, first, slotCount) && BindingsFitTheirControls(handlers, controls);
}

// The implicit single instance: the open window of the class, or a new one constructed now.
Ref<Window> ImplicitWindow(const char* className, const ClassRecord& cls);

// Layout, CreateControls and _CreateControls0, the first operations after Window's; the first
// two are also the hooks of the window events of those names.
void AddBuildingOperations(ClassRecord& cls, Method layout, Method createControls, Method createControls0);

// An accessor looks its control up by name on every call and casts it to the class it is used as.
using ControlTable = std::span<const ControlRow> (*)();
template <ControlTable Controls, size_t I>
Value Accessor(Object* self, Args) {
  if (!self) RaiseNilObjectException();
  const ControlRow& row = Controls()[I];
  return RuntimeCheckCast(ControlByName(self, row.name), row.castTo());
}
template <ControlTable Controls, size_t... I>
void AddAccessors(ClassRecord& cls, std::index_sequence<I...>) {
  (cls.AddOperation(std::string(Controls()[I].name), "() as " + Controls()[I].castTo().name, &Accessor<Controls, I>),
   ...);
}
// The accessors of the table's N controls, in creation order.
template <ControlTable Controls, size_t N>
void AddAccessors(ClassRecord& cls) {
  AddAccessors<Controls>(cls, std::make_index_sequence<N>{});
}

// The handlers in slot order; a handler of the window's own event becomes that event's hook.
void AddHandlers(ClassRecord& cls, std::span<const HandlerRow> handlers);

// The method list: every class-table operation (CreateControls0 marked "Hidden") and the
// event query, which stands outside the table.
void FillWindowMethodList(ClassRecord& cls, Method isEventImplemented);

// The methods every window class of the program brings to its record besides its table.
struct WindowMethods {
  Method layout, createControls, createControls0, isEventImplemented;
};
// A window class's record from its one table: the building operations, the accessors of its N
// controls, its handlers, then the method list.
template <ControlTable Controls, size_t N>
void FillWindowClass(ClassRecord& cls, const WindowMethods& m, std::span<const HandlerRow> handlers) {
  AddBuildingOperations(cls, m.layout, m.createControls, m.createControls0);
  AddAccessors<Controls, N>(cls);
  AddHandlers(cls, handlers);
  FillWindowMethodList(cls, m.isEventImplemented);
}

// One control: made for the window, constructed through its class table, registered by name.
void NewControl(Object* window, const ClassRecord& cls, std::string_view name);

// Builds the controls in creation order. Each is made for the window, constructed through its
// class table and registered by name; a canvas gets its backdrop (nil allowed) before its record
// is applied, so the record's Visible 0 hides a canvas that already has its picture; then the
// control's events are bound to their handlers. The first error stops the building.
void BuildControls(Object* window, std::span<const ControlRow> controls, std::span<const HandlerRow> handlers);

}  // namespace zefa
