#include "calculator/calc_records.h"

#include "calculator/calc_window.h"
#include "pictures/project_pictures.h"
#include "framework/gui/canvas.h"
#include "framework/gui/control_records.h"
#include "framework/gui/label.h"
#include "framework/gui/push_button.h"
#include "framework/gui/text_area.h"
#include "framework/gui/window_building.h"
#include "framework/runtime/layout_record.h"

namespace zefa::Calc {
namespace {

// Canvases: the title picture, and the four hover pictures, which start hidden.
ZEFA_CONTROL_RECORD(IQlang, CanvasRecord,
    {.left = 20, .top = 80, .width = 440, .height = 73, .tabIndex = 32, .tabStop = true},
    {.allowFocusRing = false, .visible = false})
ZEFA_CONTROL_RECORD(IQachCaption, CanvasRecord,
    {.left = 128, .top = 80, .width = 249, .height = 91, .lockLeft = true, .lockTop = true,
     .lockRight = true, .lockBottom = true, .tabIndex = 14, .tabStop = true},
    {.visible = false})
ZEFA_CONTROL_RECORD(PgmName, CanvasRecord,
    {.left = 50, .top = 0, .width = 414, .height = 76, .tabIndex = 0, .tabStop = true},
    {})
ZEFA_CONTROL_RECORD(RestCaption, CanvasRecord,
    {.left = 128, .top = 80, .width = 245, .height = 83, .lockLeft = true, .lockTop = true,
     .lockRight = true, .lockBottom = true, .tabIndex = 33, .tabStop = true},
    {.visible = false})
ZEFA_CONTROL_RECORD(SEcaption, CanvasRecord,
    {.left = 123, .top = 80, .width = 242, .height = 100, .lockLeft = true, .lockTop = true,
     .tabIndex = 36, .tabStop = true},
    {.allowFocusRing = false, .visible = false, .doubleBufferEntry = false})

// Text fields: the two inputs, then the five read-only result fields.
ZEFA_CONTROL_RECORD(IQFld, TextAreaRecord,
    {.left = 366, .top = 176, .width = 53, .height = 22, .tabIndex = 1, .tabStop = true},
    {.maxChars = 3, .mask = "###"})
ZEFA_CONTROL_RECORD(CorrFld, TextAreaRecord,
    {.left = 366, .top = 202, .width = 53, .height = 22, .tabIndex = 2, .tabStop = true},
    {.value = ".60", .maxChars = 4, .mask = ".###"})
ZEFA_CONTROL_RECORD(PAchFld, TextAreaRecord,
    {.left = 365, .top = 231, .width = 53, .height = 22, .tabIndex = 8},
    {.allowFocusRing = false, .value = "\r", .readOnly = true})
ZEFA_CONTROL_RECORD(SD10Fld, TextAreaRecord,
    {.left = 346, .top = 321, .width = 88, .height = 22, .tabIndex = 9},
    {.allowFocusRing = false, .readOnly = true})
ZEFA_CONTROL_RECORD(SD05Fld, TextAreaRecord,
    {.left = 346, .top = 350, .width = 88, .height = 22, .tabIndex = 10},
    {.allowFocusRing = false, .readOnly = true})
ZEFA_CONTROL_RECORD(SD15Fld, TextAreaRecord,
    {.left = 346, .top = 291, .width = 88, .height = 22, .tabIndex = 25},
    {.allowFocusRing = false, .value = "\r", .readOnly = true})
ZEFA_CONTROL_RECORD(SD1Fld, TextAreaRecord,
    {.left = 346, .top = 263, .width = 88, .height = 22, .tabIndex = 35},
    {.allowFocusRing = false, .value = "\r", .readOnly = true})

ZEFA_CONTROL_RECORD(ClearBtn, PushButtonRecord,
    {.left = 20, .top = 400, .width = 96, .height = 25, .tabIndex = 11},
    "Clear")
ZEFA_CONTROL_RECORD(CalcBrn, PushButtonRecord,
    {.left = 365, .top = 400, .width = 96, .height = 25, .tabIndex = 12},
    "Calculate")

ZEFA_CONTROL_RECORD(copyrightText, LabelRecord,
    {.left = 155, .top = 423, .width = 173, .height = 22, .tabIndex = 20},
    kRightsNotice, {.alignment = 2, .textColor = 0x666666, .bold = false, .fontSize = 9.0f})
ZEFA_CONTROL_RECORD(Text1, LabelRecord,
    {.left = 50, .top = 176, .width = 81, .height = 22, .tabIndex = 22, .tabStop = true},
    "IQ Score", {})
ZEFA_CONTROL_RECORD(Text2, LabelRecord,
    {.left = 50, .top = 203, .width = 220, .height = 20, .tabIndex = 23, .tabStop = true},
    "IQ-Achievement Correlation", {})
ZEFA_CONTROL_RECORD(Text3, LabelRecord,
    {.left = 50, .top = 231, .width = 220, .height = 22, .tabIndex = 24, .tabStop = true},
    "Predicted Achievement Score", {})
ZEFA_CONTROL_RECORD(Text4, LabelRecord,
    {.left = 50, .top = 291, .width = 93, .height = 22, .tabIndex = 26, .tabStop = true},
    "1.5 SEest", {})
ZEFA_CONTROL_RECORD(Text5, LabelRecord,
    {.left = 50, .top = 321, .width = 93, .height = 22, .tabIndex = 27, .tabStop = true},
    "1.645 SEest", {})
ZEFA_CONTROL_RECORD(Text6, LabelRecord,
    {.left = 50, .top = 350, .width = 93, .height = 22, .tabIndex = 28, .tabStop = true},
    "1.96 SEest", {})
ZEFA_CONTROL_RECORD(Text7, LabelRecord,
    {.left = 50, .top = 263, .width = 93, .height = 22, .tabIndex = 34, .tabStop = true},
    "1 SEest", {})

// The events the window handles, of the class each belongs to, and their handlers' signature.
namespace on {
constexpr HandledEvent KeyDown{TextArea::Class, RectControl::kKeyDown, {"TextArea, String", "Boolean"}};
constexpr HandledEvent GotFocus{TextArea::Class, TextArea::kGotFocus, {"TextArea", ""}};
constexpr HandledEvent LostFocus{TextArea::Class, TextArea::kLostFocus, {"TextArea", ""}};
constexpr HandledEvent Action{PushButton::Class, PushButton::kAction, {"PushButton", ""}};
constexpr HandledEvent MouseEnter{Label::Class, RectControl::kMouseEnter, {"Label", ""}};
constexpr HandledEvent MouseExit{Label::Class, RectControl::kMouseExit, {"Label", ""}};
constexpr HandledEvent MouseDown{Label::Class, Label::kMouseDown, {"Label, Integer, Integer", "Boolean"}};
constexpr HandledEvent Close{Window::Class, Window::kCloseEvent, {"", ""}};
}  // namespace on

// The controls in creation order, which is also their accessors' order in the class table.
constexpr ControlRow kControls[] = {
    ZEFA_CONTROL(IQlang, Canvas, _x_IQlangPix::IQlangPix),
    ZEFA_CONTROL(IQachCaption, Canvas, _x_PreAchFormula::PreAchFormula),
    ZEFA_CONTROL(PgmName, Canvas, _x_ZEFAtitle::ZEFAtitle),
    ZEFA_CONTROL(IQFld, TextArea, nullptr),
    ZEFA_CONTROL(CorrFld, TextArea, nullptr),
    ZEFA_CONTROL(PAchFld, TextArea, nullptr),
    ZEFA_CONTROL(SD10Fld, TextArea, nullptr),
    ZEFA_CONTROL(SD05Fld, TextArea, nullptr),
    ZEFA_CONTROL(ClearBtn, PushButton, nullptr),
    ZEFA_CONTROL(CalcBrn, PushButton, nullptr),
    ZEFA_CONTROL(copyrightText, Label, nullptr),
    ZEFA_CONTROL(Text1, Label, nullptr),
    ZEFA_CONTROL(Text2, Label, nullptr),
    ZEFA_CONTROL(Text3, Label, nullptr),
    ZEFA_CONTROL(SD15Fld, TextArea, nullptr),
    ZEFA_CONTROL(Text4, Label, nullptr),
    ZEFA_CONTROL(Text5, Label, nullptr),
    ZEFA_CONTROL(Text6, Label, nullptr),
    ZEFA_CONTROL(RestCaption, Canvas, _x_Rest::Rest),
    ZEFA_CONTROL(Text7, Label, nullptr),
    ZEFA_CONTROL(SD1Fld, TextArea, nullptr),
    ZEFA_CONTROL(SEcaption, Canvas, _x_SEformula::SEformula),
};
static_assert(std::size(kControls) == kControlCount);
static_assert(AccessorsInCreationOrder(kControls, k_CreateControls0 + 1), "accessors follow the controls' order");

// The handlers in the order their bindings are made: by control in creation order, and a
// control's events by name. The class table takes them in the order of their slots instead.
constexpr HandlerRow kHandlers[] = {
    ZEFA_BIND(IQFld, KeyDown),
    ZEFA_BIND(CorrFld, KeyDown),
    ZEFA_BIND(PAchFld, GotFocus),
    ZEFA_BIND(PAchFld, LostFocus),
    ZEFA_BIND(SD10Fld, GotFocus),
    ZEFA_BIND(SD10Fld, LostFocus),
    ZEFA_BIND(SD05Fld, GotFocus),
    ZEFA_BIND(SD05Fld, LostFocus),
    ZEFA_BIND(ClearBtn, Action),
    ZEFA_BIND(CalcBrn, Action),
    ZEFA_BIND(Text1, MouseEnter),
    ZEFA_BIND(Text1, MouseExit),
    ZEFA_BIND(Text2, MouseEnter),
    ZEFA_BIND(Text2, MouseExit),
    ZEFA_BIND(Text3, MouseEnter),
    ZEFA_BIND(Text3, MouseExit),
    ZEFA_BIND(SD15Fld, GotFocus),
    ZEFA_BIND(SD15Fld, LostFocus),
    ZEFA_BIND(Text4, MouseDown),
    ZEFA_BIND(Text4, MouseEnter),
    ZEFA_BIND(Text4, MouseExit),
    ZEFA_BIND(Text5, MouseDown),
    ZEFA_BIND(Text5, MouseEnter),
    ZEFA_BIND(Text5, MouseExit),
    ZEFA_BIND(Text6, MouseEnter),
    ZEFA_BIND(Text6, MouseExit),
    ZEFA_BIND(Text7, MouseDown),
    ZEFA_BIND(Text7, MouseEnter),
    ZEFA_BIND(Text7, MouseExit),
    ZEFA_BIND(SD1Fld, GotFocus),
    ZEFA_BIND(SD1Fld, LostFocus),
    ZEFA_HOOK(Close),
};
static_assert(HandlersFitTheTable(kHandlers, kControls, kSlotCount),
              "each handler slot has one row; bindings go by control, with its class's events");

}  // namespace

std::span<const ControlRow> ControlRows() { return kControls; }
std::span<const HandlerRow> HandlerRows() { return kHandlers; }

const std::string& CalcWindowRecord() {
  static const std::string bytes = WindowRecord({.width = 480, .height = 450, .maxWidth = 465, .maxHeight = 360,
                                                 .title = "ZEFA Calculator", .liveResizeEntry = true});
  return bytes;
}

}  // namespace zefa::Calc
