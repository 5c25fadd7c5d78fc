#include "calculator/calc_records.h"
#include "framework/canvas.h"
#include "framework/delegate.h"
#include "framework/exceptions.h"
#include "framework/layout_record.h"

namespace zefa::Calc {

// Builds the 22 controls in their fixed order: create, register, give a canvas its backdrop
// before its record (so the record's Visible 0 hides a canvas that already has its picture),
// apply the record, and bind the control's events. The first error stops the building.
Value _CreateControls0(Object* self, Args) {
  if (!self) RaiseNilObjectException();
  auto bindings = BindingSpecs();
  size_t nextBinding = 0;
  for (const ControlSpec& entry : ControlSpecs()) {
    const ClassRecord& cls = entry.cls();
    {
      Ref<Object> control = CallSlot(self, Window::k__New, std::vector<Value>{Value(static_cast<const void*>(&cls))}).ObjectRef();
      if (!control) RaiseNilObjectException();
      CallSlot(control.get(), RectControl::kConstructor);
      CallSlot(self, Window::k_AddControl, std::vector<Value>{Value(std::string(entry.name)), Value(control)});
    }
    if (&cls == &Canvas::Class()) {
      Ref<Canvas> canvas = CheckCast<Canvas>(ControlByName(self, entry.name));
      if (!canvas) RaiseNilObjectException();
      canvas->SetBackdrop(entry.backdrop());
    }
    {
      Ref<Object> control = RuntimeCheckCast(ControlByName(self, entry.name), cls);
      if (!control) RaiseNilObjectException();
      _SetProperties(*control, entry.record());
    }
    for (; nextBinding < bindings.size() && bindings[nextBinding].control == entry.name; ++nextBinding) {
      const BindingSpec& b = bindings[nextBinding];
      Ref<Object> control = RuntimeCheckCast(ControlByName(self, entry.name), cls);
      if (!control) RaiseNilObjectException();
      Method handler = self->Class().table[static_cast<size_t>(b.handler)].fn;
      Ref<Delegate> d = RuntimeCreateDelegate(Delegate::IM_Invoke, handler, self, std::string(b.signature), 1);
      RuntimeAddEventHandler(*control, b.event, AddHandler::Stub(b.event), d);
    }
  }
  return {};
}

}  // namespace zefa::Calc
