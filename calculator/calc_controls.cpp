#include "calculator/calc_records.h"
#include "framework/gui/canvas.h"
#include "framework/gui/window_building.h"
#include "framework/runtime/exceptions.h"

namespace zefa::Calc {

// Builds the 22 controls in their fixed order: create, register, give a canvas its backdrop
// before its record (so the record's Visible 0 hides a canvas that already has its picture),
// apply the record, and bind the control's events. The first error stops the building.
Value CreateControls0(Object* self, Args) {
  if (!self) RaiseNilObjectException();
  auto bindings = BindingRows();
  size_t next = 0;
  for (const ControlRow& entry : ControlRows()) {
    const ClassRecord& cls = entry.cls();
    NewControl(self, cls, entry.name);
    if (&cls == &Canvas::Class()) SetCanvasBackdrop(self, entry.name, entry.backdrop);
    ApplyControlRecord(self, entry.name, cls, entry.record());
    for (; next < bindings.size() && bindings[next].control == entry.name; ++next)
      BindControlEvent(self, entry.name, cls, bindings[next].event, bindings[next].handler, bindings[next].signature);
  }
  return {};
}

}  // namespace zefa::Calc
