#include "calculator/calc_window.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/text_area.h"
#include "framework/runtime/text.h"

namespace zefa::Calc {
namespace {

// Beep, say why, and put the user back into the field that needs correcting.
void Refuse(Object* self, const char* message, Slot field) {
  Beep();
  MsgBox(message);
  Get<TextArea>(self, field)->SetFocus();
}

struct RangeRow {
  double k;
  Slot field;
};
// Top row to bottom row of the window; SD10Fld and SD05Fld carry the 1.645 and 1.96 ranges.
constexpr RangeRow kRows[] = {{1.0, kSD1Fld}, {1.5, kSD15Fld}, {1.645, kSD10Fld}, {1.96, kSD05Fld}};

}  // namespace

Value CalcBrn_Action(Object* self, Args) {
  double iq = Val(Get<TextArea>(self, kIQFld)->Text());
  if (iq < 45 || iq > 155) {
    Refuse(self, "IQ score must range from 45-155.", kIQFld);
    return {};
  }
  double r = Val(Get<TextArea>(self, kCorrFld)->Text());
  if (r <= 0 || r >= 1) {
    Refuse(self, "Correlation must range from .001 to .999.", kCorrFld);
    return {};
  }
  // Each operation rounds on its own (the build forbids fused multiply-add).
  double p = r * (iq - 100) + 100;
  double se = 15 * Sqrt(1 - r * r);

  std::string prediction = Str(Round(p));
  if (Len(prediction) == 2) prediction = RuntimeAddString(" ", prediction);
  Get<TextArea>(self, kPAchFld)->SetText(prediction);

  for (const RangeRow& row : kRows) {
    double d = row.k * se;
    double lo = Round(p - d);  // centred on the unrounded prediction
    double hi = Round(p + d);
    std::string text = RuntimeAddString(RuntimeAddString(Str(lo), " - "), Str(hi));
    if (Len(text) < 9) text = RuntimeAddString("  ", text);
    Get<TextArea>(self, row.field)->SetText(text);
  }
  return {};
}

Value ClearBtn_Action(Object* self, Args) {
  for (Slot field : {kIQFld, kCorrFld, kPAchFld, kSD10Fld, kSD05Fld, kSD15Fld, kSD1Fld})
    Get<TextArea>(self, field)->SetText("");
  Get<TextArea>(self, kIQFld)->SetFocus();
  return {};
}

Value IQFld_KeyDown(Object*, Args) { return false; }
Value CorrFld_KeyDown(Object*, Args) { return false; }

}  // namespace zefa::Calc
