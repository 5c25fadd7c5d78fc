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

// Canvases: the title picture, and the four hover pictures, which start hidden.
RECORD(IQlangRecord, CanvasRecord(
    {.name = "IQlang", .left = 20, .top = 80, .width = 440, .height = 73, .tabIndex = 32, .tabStop = true},
    {.allowFocusRing = false, .visible = false}))
RECORD(IQachCaptionRecord, CanvasRecord(
    {.name = "IQachCaption", .left = 128, .top = 80, .width = 249, .height = 91, .lockLeft = true, .lockTop = true,
     .lockRight = true, .lockBottom = true, .tabIndex = 14, .tabStop = true},
    {.visible = false}))
RECORD(PgmNameRecord, CanvasRecord(
    {.name = "PgmName", .left = 50, .top = 0, .width = 414, .height = 76, .tabIndex = 0, .tabStop = true},
    {}))
RECORD(RestCaptionRecord, CanvasRecord(
    {.name = "RestCaption", .left = 128, .top = 80, .width = 245, .height = 83, .lockLeft = true, .lockTop = true,
     .lockRight = true, .lockBottom = true, .tabIndex = 33, .tabStop = true},
    {.visible = false}))
RECORD(SEcaptionRecord, CanvasRecord(
    {.name = "SEcaption", .left = 123, .top = 80, .width = 242, .height = 100, .lockLeft = true, .lockTop = true,
     .tabIndex = 36, .tabStop = true},
    {.allowFocusRing = false, .visible = false, .doubleBufferEntry = false}))

// Text fields: the two inputs, then the five read-only result fields.
RECORD(IQFldRecord, TextAreaRecord(
    {.name = "IQFld", .left = 366, .top = 176, .width = 53, .height = 22, .tabIndex = 1, .tabStop = true},
    {.maxChars = 3, .mask = "###"}))
RECORD(CorrFldRecord, TextAreaRecord(
    {.name = "CorrFld", .left = 366, .top = 202, .width = 53, .height = 22, .tabIndex = 2, .tabStop = true},
    {.value = ".60", .maxChars = 4, .mask = ".###"}))
RECORD(PAchFldRecord, TextAreaRecord(
    {.name = "PAchFld", .left = 365, .top = 231, .width = 53, .height = 22, .tabIndex = 8},
    {.allowFocusRing = false, .value = "\r", .readOnly = true}))
RECORD(SD10FldRecord, TextAreaRecord(
    {.name = "SD10Fld", .left = 346, .top = 321, .width = 88, .height = 22, .tabIndex = 9},
    {.allowFocusRing = false, .readOnly = true}))
RECORD(SD05FldRecord, TextAreaRecord(
    {.name = "SD05Fld", .left = 346, .top = 350, .width = 88, .height = 22, .tabIndex = 10},
    {.allowFocusRing = false, .readOnly = true}))
RECORD(SD15FldRecord, TextAreaRecord(
    {.name = "SD15Fld", .left = 346, .top = 291, .width = 88, .height = 22, .tabIndex = 25},
    {.allowFocusRing = false, .value = "\r", .readOnly = true}))
RECORD(SD1FldRecord, TextAreaRecord(
    {.name = "SD1Fld", .left = 346, .top = 263, .width = 88, .height = 22, .tabIndex = 35},
    {.allowFocusRing = false, .value = "\r", .readOnly = true}))

RECORD(ClearBtnRecord, PushButtonRecord(
    {.name = "ClearBtn", .left = 20, .top = 400, .width = 96, .height = 25, .tabIndex = 11},
    "Clear"))
RECORD(CalcBrnRecord, PushButtonRecord(
    {.name = "CalcBrn", .left = 365, .top = 400, .width = 96, .height = 25, .tabIndex = 12},
    "Calculate"))

RECORD(copyrightTextRecord, LabelRecord(
    {.name = "copyrightText", .left = 155, .top = 423, .width = 173, .height = 22, .tabIndex = 20},
    kRightsNotice, {.alignment = 2, .textColor = 0x666666, .bold = false, .fontSize = 9.0f}))
RECORD(Text1Record, LabelRecord(
    {.name = "Text1", .left = 50, .top = 176, .width = 81, .height = 22, .tabIndex = 22, .tabStop = true},
    "IQ Score", {}))
RECORD(Text2Record, LabelRecord(
    {.name = "Text2", .left = 50, .top = 203, .width = 220, .height = 20, .tabIndex = 23, .tabStop = true},
    "IQ-Achievement Correlation", {}))
RECORD(Text3Record, LabelRecord(
    {.name = "Text3", .left = 50, .top = 231, .width = 220, .height = 22, .tabIndex = 24, .tabStop = true},
    "Predicted Achievement Score", {}))
RECORD(Text4Record, LabelRecord(
    {.name = "Text4", .left = 50, .top = 291, .width = 93, .height = 22, .tabIndex = 26, .tabStop = true},
    "1.5 SEest", {}))
RECORD(Text5Record, LabelRecord(
    {.name = "Text5", .left = 50, .top = 321, .width = 93, .height = 22, .tabIndex = 27, .tabStop = true},
    "1.645 SEest", {}))
RECORD(Text6Record, LabelRecord(
    {.name = "Text6", .left = 50, .top = 350, .width = 93, .height = 22, .tabIndex = 28, .tabStop = true},
    "1.96 SEest", {}))
RECORD(Text7Record, LabelRecord(
    {.name = "Text7", .left = 50, .top = 263, .width = 93, .height = 22, .tabIndex = 34, .tabStop = true},
    "1 SEest", {}))

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
  static const std::string bytes = WindowRecord({.width = 480, .height = 450, .maxWidth = 465, .maxHeight = 360,
                                                 .title = "ZEFA Calculator", .liveResizeEntry = true});
  return bytes;
}

}  // namespace zefa::Calc
