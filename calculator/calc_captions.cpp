#include "calculator/calc_window.h"
#include "framework/gui/canvas.h"

namespace zefa::Calc {
namespace {

// The caption canvases in the order every handler sets them.
constexpr Slot kCaptions[] = {kIQlang, kRestCaption, kIQachCaption, kSEcaption};

void SetVisible(Object* self, Slot canvas, bool on) { Get<Canvas>(self, canvas)->SetVisible(on); }

// Shows the label's own canvas at its place in the caption order and hides the other three.
Value ShowOnly(Object* self, Slot shown) {
  for (Slot c : kCaptions) SetVisible(self, c, c == shown);
  return {};
}

}  // namespace

Value Text1_MouseEnter(Object* self, Args) { return ShowOnly(self, kIQlang); }
Value Text2_MouseEnter(Object* self, Args) { return ShowOnly(self, kRestCaption); }
Value Text3_MouseEnter(Object* self, Args) { return ShowOnly(self, kIQachCaption); }
Value Text4_MouseEnter(Object* self, Args) { return ShowOnly(self, kSEcaption); }
Value Text5_MouseEnter(Object* self, Args) { return ShowOnly(self, kSEcaption); }
Value Text6_MouseEnter(Object* self, Args) { return ShowOnly(self, kSEcaption); }
Value Text7_MouseEnter(Object* self, Args) { return ShowOnly(self, kSEcaption); }

Value Text1_MouseExit(Object* self, Args) {
  SetVisible(self, kIQlang, false);
  return {};
}
Value Text2_MouseExit(Object* self, Args) {
  SetVisible(self, kRestCaption, false);
  return {};
}
// Leaving "Predicted Achievement Score" hides every caption, not only its own.
Value Text3_MouseExit(Object* self, Args) {
  for (Slot c : kCaptions) SetVisible(self, c, false);
  return {};
}
Value Text4_MouseExit(Object* self, Args) {
  SetVisible(self, kSEcaption, false);
  return {};
}
Value Text5_MouseExit(Object* self, Args) {
  SetVisible(self, kSEcaption, false);
  return {};
}
Value Text6_MouseExit(Object* self, Args) {
  SetVisible(self, kSEcaption, false);
  return {};
}
Value Text7_MouseExit(Object* self, Args) {
  SetVisible(self, kSEcaption, false);
  return {};
}

Value Text4_MouseDown(Object*, Args) { return false; }
Value Text5_MouseDown(Object*, Args) { return false; }
Value Text7_MouseDown(Object*, Args) { return false; }

}  // namespace zefa::Calc
