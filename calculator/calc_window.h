#pragma once
// The calculator window "Calc.Calc": a Window with no fields of its own whose controls are
// reached by name through its accessors.
#include <span>
#include <string_view>

#include "framework/gui/window.h"
#include "framework/gui/window_building.h"
#include "framework/runtime/class_record.h"
#include "framework/runtime/exceptions.h"

namespace zefa::Calc {

// The class table after Window's operations, in this order. The window's table in
// calc_records.cpp names every accessor and handler once, and the compiler holds it to this order.
// The names are the ones the runtime stores, odd ones included (kcopyrightText, kCalcBrn).
enum Slot {
  kLayout = Window::kSlotCount, kCreateControls, k_CreateControls0,
  // accessors, in the controls' creation order
  kIQlang, kIQachCaption, kPgmName, kIQFld, kCorrFld, kPAchFld, kSD10Fld, kSD05Fld, kClearBtn, kCalcBrn,
  kcopyrightText, kText1, kText2, kText3, kSD15Fld, kText4, kText5, kText6, kRestCaption, kText7, kSD1Fld,
  kSEcaption,
  // handlers
  kIQFld_KeyDown, kCorrFld_KeyDown, kPAchFld_LostFocus, kPAchFld_GotFocus, kSD10Fld_LostFocus,
  kSD10Fld_GotFocus, kSD05Fld_LostFocus, kSD05Fld_GotFocus, kClearBtn_Action, kCalcBrn_Action,
  kText1_MouseEnter, kText1_MouseExit, kText2_MouseExit, kText2_MouseEnter, kText3_MouseEnter,
  kText3_MouseExit, kSD15Fld_LostFocus, kSD15Fld_GotFocus, kText4_MouseDown, kText4_MouseEnter,
  kText4_MouseExit, kText5_MouseDown, kText5_MouseExit, kText5_MouseEnter, kText6_MouseExit,
  kText6_MouseEnter, kText7_MouseDown, kText7_MouseEnter, kText7_MouseExit, kSD1Fld_LostFocus,
  kSD1Fld_GotFocus, kEvent_Close, kSlotCount
};

// The window's one table (calc_records.cpp): its controls in creation order, one per accessor
// slot, and its handlers.
inline constexpr size_t kControlCount = kIQFld_KeyDown - kIQlang;
std::span<const ControlRow> ControlRows();
std::span<const HandlerRow> HandlerRows();

inline constexpr const char* kClassName = "Calc.Calc";

// The program's rights notice: at the foot of this window and of the splash, and in the
// application's version data.
inline constexpr std::string_view kRightsNotice = "\xC2\xA9 2026 The ZEFA Calculator team";

const ClassRecord& Class();
// The implicit single instance: the open window, or a new one built now.
Ref<Window> Calc();

// The control an accessor slot yields, cast to its class; nil raises NilObjectException.
template <class T>
Ref<T> Get(Object* window, Slot accessor) {
  Ref<T> c = CheckCast<T>(CallSlot(window, accessor).ObjectRef());
  if (!c) RaiseNilObjectException();
  return c;
}

Value Layout(Object* self, Args);
Value CreateControls(Object* self, Args);
Value CreateControls0(Object* self, Args);
Value Event_Close(Object* self, Args);
Value IsEventImplemented(Object* self, Args args);

// Calculate and Clear, and the input fields' key handlers.
Value CalcBrn_Action(Object* self, Args);
Value ClearBtn_Action(Object* self, Args);
Value IQFld_KeyDown(Object* self, Args);
Value CorrFld_KeyDown(Object* self, Args);

// The hover captions of the seven labels.
Value Text1_MouseEnter(Object* self, Args);
Value Text1_MouseExit(Object* self, Args);
Value Text2_MouseEnter(Object* self, Args);
Value Text2_MouseExit(Object* self, Args);
Value Text3_MouseEnter(Object* self, Args);
Value Text3_MouseExit(Object* self, Args);
Value Text4_MouseEnter(Object* self, Args);
Value Text4_MouseExit(Object* self, Args);
Value Text5_MouseEnter(Object* self, Args);
Value Text5_MouseExit(Object* self, Args);
Value Text6_MouseEnter(Object* self, Args);
Value Text6_MouseExit(Object* self, Args);
Value Text7_MouseEnter(Object* self, Args);
Value Text7_MouseExit(Object* self, Args);
Value Text4_MouseDown(Object* self, Args);
Value Text5_MouseDown(Object* self, Args);
Value Text7_MouseDown(Object* self, Args);

// The result fields' focus rules.
Value PAchFld_GotFocus(Object* self, Args);
Value PAchFld_LostFocus(Object* self, Args);
Value SD1Fld_GotFocus(Object* self, Args);
Value SD1Fld_LostFocus(Object* self, Args);
Value SD15Fld_GotFocus(Object* self, Args);
Value SD15Fld_LostFocus(Object* self, Args);
Value SD10Fld_GotFocus(Object* self, Args);
Value SD10Fld_LostFocus(Object* self, Args);
Value SD05Fld_GotFocus(Object* self, Args);
Value SD05Fld_LostFocus(Object* self, Args);

}  // namespace zefa::Calc
