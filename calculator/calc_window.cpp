#include "calculator/calc_window.h"

#include <array>

#include "calculator/calc_records.h"
#include "framework/gui/application.h"
#include "framework/gui/window_building.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/layout_record.h"

namespace zefa::Calc {
namespace {

// An accessor looks its control up by name on every call and casts it to the control's class.
template <size_t I>
Value Accessor(Object* self, Args) {
  if (!self) RaiseNilObjectException();
  const ControlRow& entry = ControlRows()[I];
  Ref<Object> c = ControlByName(self, entry.name);
  return RuntimeCheckCast(c, entry.cls());
}

template <size_t... I>
void AddAccessors(ClassRecord& r, std::index_sequence<I...>) {
  (r.AddOperation(std::string(ControlRows()[I].name), "() as " + ControlRows()[I].cls().name, &Accessor<I>), ...);
}

struct Handler {
  const char* name;
  const char* signature;
  Method fn;
};

// In class-table order.
constexpr std::array<Handler, 32> kHandlers = {{
    {"IQFld_KeyDown", "(TextArea, String) as Boolean", IQFld_KeyDown},
    {"CorrFld_KeyDown", "(TextArea, String) as Boolean", CorrFld_KeyDown},
    {"PAchFld_LostFocus", "(TextArea)", PAchFld_LostFocus},
    {"PAchFld_GotFocus", "(TextArea)", PAchFld_GotFocus},
    {"SD10Fld_LostFocus", "(TextArea)", SD10Fld_LostFocus},
    {"SD10Fld_GotFocus", "(TextArea)", SD10Fld_GotFocus},
    {"SD05Fld_LostFocus", "(TextArea)", SD05Fld_LostFocus},
    {"SD05Fld_GotFocus", "(TextArea)", SD05Fld_GotFocus},
    {"ClearBtn_Action", "(PushButton)", ClearBtn_Action},
    {"CalcBrn_Action", "(PushButton)", CalcBrn_Action},
    {"Text1_MouseEnter", "(Label)", Text1_MouseEnter},
    {"Text1_MouseExit", "(Label)", Text1_MouseExit},
    {"Text2_MouseExit", "(Label)", Text2_MouseExit},
    {"Text2_MouseEnter", "(Label)", Text2_MouseEnter},
    {"Text3_MouseEnter", "(Label)", Text3_MouseEnter},
    {"Text3_MouseExit", "(Label)", Text3_MouseExit},
    {"SD15Fld_LostFocus", "(TextArea)", SD15Fld_LostFocus},
    {"SD15Fld_GotFocus", "(TextArea)", SD15Fld_GotFocus},
    {"Text4_MouseDown", "(Label, Integer, Integer) as Boolean", Text4_MouseDown},
    {"Text4_MouseEnter", "(Label)", Text4_MouseEnter},
    {"Text4_MouseExit", "(Label)", Text4_MouseExit},
    {"Text5_MouseDown", "(Label, Integer, Integer) as Boolean", Text5_MouseDown},
    {"Text5_MouseExit", "(Label)", Text5_MouseExit},
    {"Text5_MouseEnter", "(Label)", Text5_MouseEnter},
    {"Text6_MouseExit", "(Label)", Text6_MouseExit},
    {"Text6_MouseEnter", "(Label)", Text6_MouseEnter},
    {"Text7_MouseDown", "(Label, Integer, Integer) as Boolean", Text7_MouseDown},
    {"Text7_MouseEnter", "(Label)", Text7_MouseEnter},
    {"Text7_MouseExit", "(Label)", Text7_MouseExit},
    {"SD1Fld_LostFocus", "(TextArea)", SD1Fld_LostFocus},
    {"SD1Fld_GotFocus", "(TextArea)", SD1Fld_GotFocus},
    {"Event_Close", "()", Event_Close},
}};

}  // namespace

const ClassRecord& Class() {
  static ClassOnce once;
  return BuildClassOnce(once, kClassName, &Window::Class, [](ClassRecord& rec) {
    rec.AddOperation("Layout", "()", Layout);
    rec.AddOperation("CreateControls", "()", CreateControls);
    rec.AddOperation("_CreateControls0", "()", CreateControls0);
    AddAccessors(rec, std::make_index_sequence<kControlCount>{});
    for (const Handler& h : kHandlers) rec.AddOperation(h.name, h.signature, h.fn);
    FillWindowMethodList(rec, IsEventImplemented);
    rec.SetHook("Close", Event_Close);
    rec.SetHook("CreateControls", CreateControls);
    rec.SetHook("Layout", Layout);
  });
}

Ref<Window> Calc() { return ImplicitWindow(kClassName, Class()); }

Value Layout(Object* self, Args) {
  if (!self) RaiseNilObjectException();
  SetProperties(*self, CalcWindowRecord());
  return {};
}

Value CreateControls(Object* self, Args) { return CallSlot(self, k_CreateControls0); }

Value Event_Close(Object* self, Args) {
  if (!self) RaiseNilObjectException();
  Quit(0);
  return {};
}

Value IsEventImplemented(Object* self, Args args) {
  return RuntimeIsEventHandled(self, kClassName, args.empty() ? std::string() : args[0].String(), true);
}

}  // namespace zefa::Calc
