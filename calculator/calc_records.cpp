#include "calculator/calc_records.h"

#include "calculator/project_pictures.h"
#include "framework/gui/canvas.h"
#include "framework/gui/control_records.h"
#include "framework/gui/label.h"
#include "framework/gui/push_button.h"
#include "framework/gui/text_area.h"
#include "framework/runtime/layout_record.h"

namespace zefa::Calc {
namespace {

// A record is built on first use and kept for the life of the process.
#define RECORD(fn, expr)                 \
  const std::string& fn() {              \
    static const std::string bytes = expr; \
    return bytes;                        \
  }

// Canvases: placement (with locks), AllowFocusRing, Visible, and whether DoubleBuffer is written.
RECORD(IQlangRecord, CanvasRecord({"IQlang", 20, 80, 440, 73, 0, 0, 0, 0, 32, true}, false, false, true))
RECORD(IQachCaptionRecord, CanvasRecord({"IQachCaption", 128, 80, 249, 91, 1, 1, 1, 1, 14, true}, true, false, true))
RECORD(PgmNameRecord, CanvasRecord({"PgmName", 50, 0, 414, 76, 0, 0, 0, 0, 0, true}, true, true, true))
RECORD(RestCaptionRecord, CanvasRecord({"RestCaption", 128, 80, 245, 83, 1, 1, 1, 1, 33, true}, true, false, true))
RECORD(SEcaptionRecord, CanvasRecord({"SEcaption", 123, 80, 242, 100, 1, 1, 0, 0, 36, true}, false, false, false))

// Text fields: placement, AllowFocusRing, start text, maximum length, mask, read-only.
RECORD(IQFldRecord, TextAreaRecord({"IQFld", 366, 176, 53, 22, 0, 0, 0, 0, 1, true}, true, "", 3, "###", false))
RECORD(CorrFldRecord, TextAreaRecord({"CorrFld", 366, 202, 53, 22, 0, 0, 0, 0, 2, true}, true, ".60", 4, ".###", false))
RECORD(PAchFldRecord, TextAreaRecord({"PAchFld", 365, 231, 53, 22, 0, 0, 0, 0, 8, false}, false, "\r", 0, "", true))
RECORD(SD10FldRecord, TextAreaRecord({"SD10Fld", 346, 321, 88, 22, 0, 0, 0, 0, 9, false}, false, "", 0, "", true))
RECORD(SD05FldRecord, TextAreaRecord({"SD05Fld", 346, 350, 88, 22, 0, 0, 0, 0, 10, false}, false, "", 0, "", true))
RECORD(SD15FldRecord, TextAreaRecord({"SD15Fld", 346, 291, 88, 22, 0, 0, 0, 0, 25, false}, false, "\r", 0, "", true))
RECORD(SD1FldRecord, TextAreaRecord({"SD1Fld", 346, 263, 88, 22, 0, 0, 0, 0, 35, false}, false, "\r", 0, "", true))

RECORD(ClearBtnRecord, PushButtonRecord({"ClearBtn", 20, 400, 96, 25, 0, 0, 0, 0, 11, false}, "Clear"))
RECORD(CalcBrnRecord, PushButtonRecord({"CalcBrn", 365, 400, 96, 25, 0, 0, 0, 0, 12, false}, "Calculate"))

RECORD(copyrightTextRecord, LabelRecord({"copyrightText", 155, 423, 173, 22, 0, 0, 0, 0, 20, false}, kRightsNotice,
                                        LabelLook{2, 0x666666, false, 9.0f}))
RECORD(Text1Record, LabelRecord({"Text1", 50, 176, 81, 22, 0, 0, 0, 0, 22, true}, "IQ Score", {}))
RECORD(Text2Record, LabelRecord({"Text2", 50, 203, 220, 20, 0, 0, 0, 0, 23, true}, "IQ-Achievement Correlation", {}))
RECORD(Text3Record, LabelRecord({"Text3", 50, 231, 220, 22, 0, 0, 0, 0, 24, true}, "Predicted Achievement Score", {}))
RECORD(Text4Record, LabelRecord({"Text4", 50, 291, 93, 22, 0, 0, 0, 0, 26, true}, "1.5 SEest", {}))
RECORD(Text5Record, LabelRecord({"Text5", 50, 321, 93, 22, 0, 0, 0, 0, 27, true}, "1.645 SEest", {}))
RECORD(Text6Record, LabelRecord({"Text6", 50, 350, 93, 22, 0, 0, 0, 0, 28, true}, "1.96 SEest", {}))
RECORD(Text7Record, LabelRecord({"Text7", 50, 263, 93, 22, 0, 0, 0, 0, 34, true}, "1 SEest", {}))

#undef RECORD

Ref<Picture> NoBackdrop() { return nullptr; }

constexpr const char* kKeyDown = "( TextArea, String ) as Boolean";
constexpr const char* kFocus = "( TextArea )";
constexpr const char* kAction = "( PushButton )";
constexpr const char* kHover = "( Label )";
constexpr const char* kPress = "( Label, Integer, Integer ) as Boolean";

constexpr int kKeyDownEvent = RectControl::kKeyDown;
constexpr int kGotFocus = TextArea::kGotFocus;
constexpr int kLostFocus = TextArea::kLostFocus;
constexpr int kActionEvent = PushButton::kAction;
constexpr int kEnter = RectControl::kMouseEnter;
constexpr int kExit = RectControl::kMouseExit;
constexpr int kMouseDown = Label::kMouseDown;

constexpr BindingRow kBindings[] = {
    {"IQFld", kKeyDownEvent, kIQFld_KeyDown, kKeyDown},
    {"CorrFld", kKeyDownEvent, kCorrFld_KeyDown, kKeyDown},
    {"PAchFld", kGotFocus, kPAchFld_GotFocus, kFocus},
    {"PAchFld", kLostFocus, kPAchFld_LostFocus, kFocus},
    {"SD10Fld", kGotFocus, kSD10Fld_GotFocus, kFocus},
    {"SD10Fld", kLostFocus, kSD10Fld_LostFocus, kFocus},
    {"SD05Fld", kGotFocus, kSD05Fld_GotFocus, kFocus},
    {"SD05Fld", kLostFocus, kSD05Fld_LostFocus, kFocus},
    {"ClearBtn", kActionEvent, kClearBtn_Action, kAction},
    {"CalcBrn", kActionEvent, kCalcBrn_Action, kAction},
    {"Text1", kEnter, kText1_MouseEnter, kHover},
    {"Text1", kExit, kText1_MouseExit, kHover},
    {"Text2", kEnter, kText2_MouseEnter, kHover},
    {"Text2", kExit, kText2_MouseExit, kHover},
    {"Text3", kEnter, kText3_MouseEnter, kHover},
    {"Text3", kExit, kText3_MouseExit, kHover},
    {"SD15Fld", kGotFocus, kSD15Fld_GotFocus, kFocus},
    {"SD15Fld", kLostFocus, kSD15Fld_LostFocus, kFocus},
    {"Text4", kMouseDown, kText4_MouseDown, kPress},
    {"Text4", kEnter, kText4_MouseEnter, kHover},
    {"Text4", kExit, kText4_MouseExit, kHover},
    {"Text5", kMouseDown, kText5_MouseDown, kPress},
    {"Text5", kEnter, kText5_MouseEnter, kHover},
    {"Text5", kExit, kText5_MouseExit, kHover},
    {"Text6", kEnter, kText6_MouseEnter, kHover},
    {"Text6", kExit, kText6_MouseExit, kHover},
    {"Text7", kMouseDown, kText7_MouseDown, kPress},
    {"Text7", kEnter, kText7_MouseEnter, kHover},
    {"Text7", kExit, kText7_MouseExit, kHover},
    {"SD1Fld", kGotFocus, kSD1Fld_GotFocus, kFocus},
    {"SD1Fld", kLostFocus, kSD1Fld_LostFocus, kFocus},
};
static_assert(std::size(kBindings) == 31);

}  // namespace

const std::array<ControlRow, kControlCount>& ControlRows() {
  static const std::array<ControlRow, kControlCount> rows = {{
      {"IQlang", Canvas::Class, _x_IQlangPix::IQlangPix, IQlangRecord},
      {"IQachCaption", Canvas::Class, _x_PreAchFormula::PreAchFormula, IQachCaptionRecord},
      {"PgmName", Canvas::Class, _x_ZEFAtitle::ZEFAtitle, PgmNameRecord},
      {"IQFld", TextArea::Class, NoBackdrop, IQFldRecord},
      {"CorrFld", TextArea::Class, NoBackdrop, CorrFldRecord},
      {"PAchFld", TextArea::Class, NoBackdrop, PAchFldRecord},
      {"SD10Fld", TextArea::Class, NoBackdrop, SD10FldRecord},
      {"SD05Fld", TextArea::Class, NoBackdrop, SD05FldRecord},
      {"ClearBtn", PushButton::Class, NoBackdrop, ClearBtnRecord},
      {"CalcBrn", PushButton::Class, NoBackdrop, CalcBrnRecord},
      {"copyrightText", Label::Class, NoBackdrop, copyrightTextRecord},
      {"Text1", Label::Class, NoBackdrop, Text1Record},
      {"Text2", Label::Class, NoBackdrop, Text2Record},
      {"Text3", Label::Class, NoBackdrop, Text3Record},
      {"SD15Fld", TextArea::Class, NoBackdrop, SD15FldRecord},
      {"Text4", Label::Class, NoBackdrop, Text4Record},
      {"Text5", Label::Class, NoBackdrop, Text5Record},
      {"Text6", Label::Class, NoBackdrop, Text6Record},
      {"RestCaption", Canvas::Class, _x_Rest::Rest, RestCaptionRecord},
      {"Text7", Label::Class, NoBackdrop, Text7Record},
      {"SD1Fld", TextArea::Class, NoBackdrop, SD1FldRecord},
      {"SEcaption", Canvas::Class, _x_SEformula::SEformula, SEcaptionRecord},
  }};
  return rows;
}

std::span<const BindingRow> BindingRows() { return kBindings; }

const std::string& CalcWindowRecord() {
  static const std::string bytes = WindowRecord({480, 450, 465, 360, 0, "ZEFA Calculator", false, false, true});
  return bytes;
}

}  // namespace zefa::Calc
