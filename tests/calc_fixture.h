#pragma once
// A fresh calculator window for each test, as at process start.
#include "calculator/calc_window.h"
#include "framework/gui/text_area.h"
#include "framework/gui/widgets.h"
#include "framework/gui/window.h"
#include "framework/runtime/delegate.h"
#include "fresh_start.h"

class CalcTest : public FreshStart {
 protected:
  void TearDown() override {
    window.reset();
    FreshStart::TearDown();
  }

  zefa::Window& Win() {
    if (!window) window = zefa::Calc::Calc();
    return *window;
  }
  template <class T = zefa::TextArea>
  zefa::Ref<T> Ctl(zefa::Calc::Slot s) {
    return zefa::Calc::Get<T>(&Win(), s);
  }
  std::string Text(zefa::Calc::Slot s) { return Ctl(s)->Text(); }
  void Calculate(const std::string& iq, const std::string& r) {
    Ctl(zefa::Calc::kIQFld)->SetText(iq);
    Ctl(zefa::Calc::kCorrFld)->SetText(r);
    zefa::RaiseEvent(*zefa::ControlByName(&Win(), "CalcBrn"), "Action");
  }

  zefa::Ref<zefa::Window> window;
};
