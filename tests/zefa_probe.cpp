// Drives the real calculator window through the framework's dispatch, for scripted checks:
//   zefa_probe calc     lines "IQ<TAB>R" or "CLEAR" on standard input, one result line each
//   zefa_probe events   lines "<event> <control>" raised through the dispatch, one state line each
//   zefa_probe records  every Layout record the program holds, as length and hex
//   zefa_probe geometry each window's content area and its controls' rectangles, as built
#include <QApplication>
#include <cstdio>
#include <iostream>
#include <string>

#include "calculator/calc_records.h"
#include "calculator/calc_window.h"
#include "framework/gui/application.h"
#include "framework/gui/control.h"
#include "framework/gui/push_button.h"
#include "framework/gui/text_area.h"
#include "framework/gui/private/widgets.h"
#include "framework/runtime/delegate.h"
#include "seams.h"
#include "probe_records.h"
#include "shell/about_window.h"

using namespace zefa;

namespace {

std::string Escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out += c;
    }
  }
  return out;
}

Ref<Window> g_calc;

Value OpenCalculator(Object*, Args) {
  g_calc = Calc::Calc();
  CallSlot(g_calc.get(), Window::kShow);
  return {};
}

int RunCalc() {
  std::string lastBox;
  bool boxShown = false;
  testing::Install();
  testing::SetAutoDismissMessageBoxes(true);
  testing::SetMessageBoxWatcher([&](const std::string& t) {
    lastBox = t;
    boxShown = true;
  });
  RunFrameworkInitialization(OpenCalculator);
  Window& w = *g_calc;
  Ref<Object> calcBtn = w.ControlByName("CalcBrn");
  Ref<Object> clearBtn = w.ControlByName("ClearBtn");
  const Calc::Slot fields[] = {Calc::kIQFld, Calc::kCorrFld, Calc::kPAchFld, Calc::kSD1Fld,
                               Calc::kSD15Fld, Calc::kSD10Fld, Calc::kSD05Fld};
  std::string line, out;
  long n = 0;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    boxShown = false;
    if (line == "CLEAR") {
      RaiseEvent(*clearBtn, PushButton::kAction);
    } else {
      size_t tab = line.find('\t');
      std::string iq = line.substr(0, tab);
      std::string r = tab == std::string::npos ? "" : line.substr(tab + 1);
      Calc::Get<TextArea>(&w, Calc::kIQFld)->SetText(iq);
      Calc::Get<TextArea>(&w, Calc::kCorrFld)->SetText(r);
      RaiseEvent(*calcBtn, PushButton::kAction);
    }
    out.clear();
    for (Calc::Slot f : fields) out += Escape(Calc::Get<TextArea>(&w, f)->Text()) + '\t';
    std::string focus = "-";
    for (const auto& [name, c] : w.Controls())
      if (auto* rc = AsOrNull<RectControl>(c.get()); rc && rc->HasFocus()) focus = name;
    out += (boxShown ? Escape(lastBox) : "-") + '\t' + focus + '\t' + std::to_string(testing::BeepCount()) + '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    // Let Qt settle its posted layout work now and then, as a running program would.
    if (++n % 512 == 0) QCoreApplication::processEvents();
  }
  std::fflush(stdout);
  return 0;
}

// Raises each named event on the named control and prints the visible captions, the disabled
// result fields and the handler's Boolean answer.
int RunEvents() {
  RunFrameworkInitialization(OpenCalculator);
  Window& w = *g_calc;
  const char* captions[] = {"IQlang", "RestCaption", "IQachCaption", "SEcaption"};
  const char* results[] = {"PAchFld", "SD1Fld", "SD15Fld", "SD10Fld", "SD05Fld"};
  auto list = [&](const auto& names, auto pick) {
    std::string s;
    for (const char* n : names)
      if (pick(CheckedAs<RectControl>(w.ControlByName(n).get()))) s += (s.empty() ? "" : ",") + std::string(n);
    return s.empty() ? std::string("-") : s;
  };
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t sp = line.find(' ');
    std::string event = line.substr(0, sp), name = sp == std::string::npos ? "" : line.substr(sp + 1);
    Ref<Object> control = w.ControlByName(name);
    std::string answer = "-";
    if (!control) {
      std::fprintf(stderr, "zefa_probe: no control named %s\n", name.c_str());
    } else {
      std::vector<Value> args;
      if (event == "MouseDown") args = {Value(int64_t{1}), Value(int64_t{1})};
      Value v = RaiseEvent(*control, event, args);
      if (!v.IsNil()) answer = v.Boolean() ? "True" : "False";
    }
    std::string out = list(captions, [](RectControl& c) { return c.Visible(); }) + '\t' +
                      list(results, [](RectControl& c) { return !c.Enabled(); }) + '\t' + answer + '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
  }
  std::fflush(stdout);
  return 0;
}

Ref<Window> g_about;

Value OpenBothWindows(Object*, Args) {
  g_about = AboutWindow::AboutWindow();
  g_calc = Calc::Calc();
  return {};
}

// One line "WINDOW CONTROL X Y W H" per control that has a widget, in content coordinates, after
// one line "WINDOW - 0 0 W H" for the window's content area: what the scripts that drive the real
// program aim at.
int RunGeometry() {
  RunFrameworkInitialization(OpenBothWindows);
  auto print = [](const char* window, const std::string& name, QRect r) {
    std::printf("%s %s %d %d %d %d\n", window, name.c_str(), r.x(), r.y(), r.width(), r.height());
  };
  for (auto [label, w] : {std::pair{"Calc", g_calc.get()}, std::pair{"AboutWindow", g_about.get()}}) {
    print(label, "-", QRect(QPoint(0, 0), w->Content()->size()));
    for (const auto& [name, c] : w->Controls())
      if (c->RuntimeClass().IsA(RectControl::Class())) print(label, name, CheckCast<RectControl>(c)->Widget()->geometry());
  }
  std::fflush(stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "records") {
    PrintRecords();
    return 0;
  }
  if (mode != "calc" && mode != "events" && mode != "geometry") {
    std::fprintf(stderr, "usage: zefa_probe calc|events|records|geometry\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  RuntimeInit();
  RuntimePerformInitializers();
  int rc = 1;
  try {
    rc = mode == "calc" ? RunCalc() : mode == "events" ? RunEvents() : RunGeometry();
  } catch (const RuntimeError& e) {
    std::fprintf(stderr, "zefa_probe: %s\n", e.what());
  }
  g_calc.reset();
  g_about.reset();
  RuntimePerformFinalizers();
  return rc;
}
