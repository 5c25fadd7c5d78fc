#include "calculator/calc_records.h"

#include "calculator/calc_window.h"
#include "calculator/project_pictures.h"
#include "framework/gui/canvas.h"
#include "framework/gui/control_records.h"
#include "framework/gui/label.h"
#include "framework/gui/push_button.h"
#include "framework/gui/text_area.h"
#include "framework/gui/window_building.h"
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
static_assert(HandlersTakeEachSlotOnce(kHandlers, k_CreateControls0 + 1 + kControlCount, kSlotCount),
              "each handler slot has one row");
static_assert(BindingsFitTheirControls(kHandlers, kControls), "bindings go by control, with its class's events");

}  // namespace

std::span<const ControlRow> ControlRows() { return kControls; }
std::span<const HandlerRow> HandlerRows() { return kHandlers; }

const std::string& CalcWindowRecord() {
  static const std::string bytes = WindowRecord({480, 450, 465, 360, 0, "ZEFA Calculator", false, false, true});
  return bytes;
}

}  // namespace zefa::Calc
