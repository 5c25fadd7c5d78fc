#pragma once
// The splash window "AboutWindow.AboutWindow": title picture, logo and rights notice on a white
// box. Its timer, a click or a key press hides it and shows the calculator window.
#include <span>

#include "framework/gui/timer.h"
#include "framework/gui/window.h"
#include "framework/gui/window_building.h"
#include "framework/runtime/class_record.h"

namespace zefa::AboutWindow {

// The class table after Window's operations, in this order. The window's table in
// about_records.cpp names every accessor and handler once, and the compiler holds it to this order.
enum Slot {
  kLayout = Window::kSlotCount, kCreateControls, k_CreateControls0,
  kCanvas1, kLabel1, kTimer1, kCanvas2,
  kTimer1_Action, kEvent_MouseDown, kEvent_KeyDown, kSlotCount
};

// The window's one table (about_records.cpp): its controls in creation order, one per accessor
// slot, and its handlers.
inline constexpr size_t kControlCount = kTimer1_Action - kCanvas1;
std::span<const ControlRow> ControlRows();
std::span<const HandlerRow> HandlerRows();

inline constexpr const char* kClassName = "AboutWindow.AboutWindow";

const ClassRecord& Class();
// The implicit single instance: the open splash window (also when hidden), or a new one built now.
Ref<Window> AboutWindow();

// The timer class that lets Timer1 sit on the window as a control; used only as a Timer. Its
// name is the one the runtime stores for it.
struct _wrapper_Timer1 {
  enum Slot { kConstructor = 0 };
  static const ClassRecord& Class();
};

Value Layout(Object* self, Args);
Value CreateControls(Object* self, Args);
Value CreateControls0(Object* self, Args);
Value IsEventImplemented(Object* self, Args args);

// The three roads of the hand-over; none of them reads its arguments.
Value Timer1_Action(Object* self, Args);
Value Event_MouseDown(Object* self, Args);
Value Event_KeyDown(Object* self, Args);

}  // namespace zefa::AboutWindow
