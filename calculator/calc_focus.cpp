#include "calculator/calc_window.h"
#include "framework/gui/text_area.h"

namespace zefa::Calc {
namespace {

Value SetEnabled(Object* self, Slot field, bool on) {
  Get<TextArea>(self, field)->SetEnabled(on);
  return {};
}

}  // namespace

// PAchFld, SD10Fld and SD05Fld switch themselves; SD15Fld and SD1Fld switch PAchFld.
Value PAchFld_GotFocus(Object* self, Args) { return SetEnabled(self, kPAchFld, false); }
Value PAchFld_LostFocus(Object* self, Args) { return SetEnabled(self, kPAchFld, true); }
Value SD1Fld_GotFocus(Object* self, Args) { return SetEnabled(self, kPAchFld, false); }
Value SD1Fld_LostFocus(Object* self, Args) { return SetEnabled(self, kPAchFld, true); }
Value SD15Fld_GotFocus(Object* self, Args) { return SetEnabled(self, kPAchFld, false); }
Value SD15Fld_LostFocus(Object* self, Args) { return SetEnabled(self, kPAchFld, true); }
Value SD10Fld_GotFocus(Object* self, Args) { return SetEnabled(self, kSD10Fld, false); }
Value SD10Fld_LostFocus(Object* self, Args) { return SetEnabled(self, kSD10Fld, true); }
Value SD05Fld_GotFocus(Object* self, Args) { return SetEnabled(self, kSD05Fld, false); }
Value SD05Fld_LostFocus(Object* self, Args) { return SetEnabled(self, kSD05Fld, true); }

}  // namespace zefa::Calc
