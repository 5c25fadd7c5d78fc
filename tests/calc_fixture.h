#pragma once
// A fresh calculator window for each test, as at process start.
#include "calculator/calc_window.h"
#include "framework/gui/text_area.h"
#include "framework/gui/private/widgets.h"
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

  // A press comes with the pointer's position, as the widget sends it.
  void Fire(const std::string& event, const char* control) {
    std::vector<zefa::Value> args;
    if (event == "MouseDown") args = {zefa::Value(1), zefa::Value(1)};
    zefa::RaiseEvent(*Win().ControlByName(control), event, args);
  }
  // Those of `names` whose control of class T satisfies `has`, comma-separated; "-" for none.
  template <class T, class Has>
  std::string Which(std::initializer_list<const char*> names, Has has) {
    std::string s;
    for (const char* n : names)
      if (has(static_cast<T&>(*Win().ControlByName(n)))) s += (s.empty() ? "" : ",") + std::string(n);
    return s.empty() ? "-" : s;
  }
  // `from` hands over to `to`, first with from's `leave` before to's `enter`, then the other way
  // round; what `state` says after each.
  template <class State>
  std::pair<std::string, std::string> HandOver(const char* enter, const char* leave, const char* from, const char* to,
                                               State state) {
    Fire(enter, from);
    Fire(leave, from);
    Fire(enter, to);
    std::string leaveFirst = state();
    Fire(leave, to);
    Fire(enter, from);
    Fire(enter, to);
    Fire(leave, from);
    return {leaveFirst, state()};
  }

  zefa::Ref<zefa::Window> window;
};
