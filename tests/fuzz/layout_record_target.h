#pragma once
// One input of the Layout-record fuzzer and of the corpus replay: the first byte picks the class
// whose property descriptors read the record, the rest is the record. An input must end either
// fully applied or in a clean RuntimeError; anything else escapes and fails the run.
#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/calc_records.h"
#include "framework/gui/canvas.h"
#include "framework/gui/label.h"
#include "framework/gui/push_button.h"
#include "framework/gui/text_area.h"
#include "framework/gui/timer.h"
#include "framework/gui/window.h"
#include "framework/runtime/class_record.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/layout_record.h"
#include "shell/about_records.h"

namespace zefa::fuzz {

// What the first byte of an input selects (modulo the count).
enum class Target : uint8_t {
  kCanvas, kLabel, kTextArea, kPushButton, kTimer,
  kWindow,        // a fresh window, record applied once it is built
  kWindowLayout,  // a fresh window whose Layout hook applies the record while it is being built
  kCount
};

enum class Outcome { kApplied, kRefused };

namespace detail {

inline std::string_view& LayoutHookRecord() {
  static std::string_view record;
  return record;
}

// A window class whose Layout hook applies the record under test, as the program's windows do.
inline const ClassRecord& LayoutWindowClass() {
  static ClassOnce once;
  return BuildClassOnce(once, "LayoutRecordFuzz.Window", &Window::Class, [](ClassRecord& rec) {
    rec.SetHook("Layout", [](Object* self, Args) -> Value {
      if (!self) RaiseNilObjectException();
      SetProperties(*self, LayoutHookRecord());
      return {};
    });
  });
}

// A Qt warning while an input runs means a setter handed Qt a value it refused, so the record
// was not applied as written. Notes on what this machine lacks are no fault of the record: the
// offscreen platform's window-manager calls (raise, size hints), and fonts with no shaping
// tables for the script of some text.
inline void AbortOnQtWarning(QtMsgType type, const QMessageLogContext&, const QString& msg) {
  if (type == QtDebugMsg || type == QtInfoMsg) return;
  for (const char* lack : {"This plugin does not support ", "OpenType support missing for "})
    if (msg.trimmed().startsWith(QLatin1String(lack))) return;
  std::fprintf(stderr, "Qt refused a value while a record was applied: %s\n", qPrintable(msg));
  std::abort();
}

inline const ClassRecord& ControlClass(Target t) {
  switch (t) {
    case Target::kCanvas: return Canvas::Class();
    case Target::kLabel: return Label::Class();
    case Target::kTextArea: return TextArea::Class();
    case Target::kPushButton: return PushButton::Class();
    default: return Timer::Class();
  }
}

inline Ref<Object> NewWindow(const ClassRecord& cls) {
  Ref<Object> w = RuntimeNewObject(cls);
  CallSlot(w.get(), Window::kConstructor);
  return w;
}

// Builds a control inside a real window the way the windows' control builders do, then applies
// the record to it.
inline void ApplyToControl(Target t, std::string_view record) {
  Ref<Object> host = NewWindow(Window::Class());
  const ClassRecord& cls = ControlClass(t);
  Ref<Object> control = CallSlot(host.get(), Window::kNew, std::vector<Value>{Value(static_cast<const void*>(&cls))}).ObjectRef();
  if (!control) RaiseNilObjectException();
  CallSlot(control.get(), 0);  // the constructor stands first in every table here
  CallSlot(host.get(), Window::k_AddControl, std::vector<Value>{Value(std::string("Fuzzed")), Value(control)});
  SetProperties(*RuntimeCheckCast(ControlByName(host.get(), "Fuzzed"), cls), record);
}

inline void Apply(Target t, std::string_view record) {
  switch (t) {
    case Target::kWindow: {
      Ref<Object> w = NewWindow(Window::Class());
      SetProperties(*w, record);
      return;
    }
    case Target::kWindowLayout:
      LayoutHookRecord() = record;
      NewWindow(LayoutWindowClass());
      return;
    default: ApplyToControl(t, record);
  }
}

}  // namespace detail

inline Target TargetOf(uint8_t selector) {
  return static_cast<Target>(selector % static_cast<uint8_t>(Target::kCount));
}

// Runs one input. Every window it made is released and the toolkit's queues drained before it
// returns, so that no input leaves state behind for the next.
inline Outcome RunInput(const uint8_t* data, size_t size) {
  if (size == 0) return Outcome::kApplied;
  Target t = TargetOf(data[0]);
  std::string_view record(reinterpret_cast<const char*>(data) + 1, size - 1);
  Outcome out = Outcome::kApplied;
  QtMessageHandler before = qInstallMessageHandler(detail::AbortOnQtWarning);
  try {
    detail::Apply(t, record);
  } catch (const RuntimeError&) {
    out = Outcome::kRefused;
  }
  detail::LayoutHookRecord() = {};
  ReleaseAllWindows();
  QCoreApplication::processEvents();
  qInstallMessageHandler(before);
  return out;
}

struct SystemRecord {
  std::string name;
  Target target;
  std::string bytes;
};

// Every Layout record the program holds, with the class that reads it.
inline std::vector<SystemRecord> SystemRecords() {
  std::vector<SystemRecord> out;
  auto targetOf = [](const ClassRecord& cls) {
    for (Target t : {Target::kCanvas, Target::kLabel, Target::kTextArea, Target::kPushButton, Target::kTimer})
      if (cls.IsA(detail::ControlClass(t))) return t;
    return Target::kCount;
  };
  for (const ControlRow& s : Calc::ControlRows())
    out.push_back({"Calc." + std::string(s.name), targetOf(s.cls()), s.record()});
  for (const ControlRow& s : AboutWindow::ControlRows())
    out.push_back({"AboutWindow." + std::string(s.name), targetOf(s.castTo()), s.record()});
  for (Target t : {Target::kWindow, Target::kWindowLayout}) {
    const char* how = t == Target::kWindow ? "" : ".Layout";
    out.push_back({std::string("Calc") + how, t, Calc::CalcWindowRecord()});
    out.push_back({std::string("AboutWindow") + how, t, AboutWindow::AboutWindowRecord()});
  }
  return out;
}

inline std::string InputFor(Target t, std::string_view record) {
  return static_cast<char>(t) + std::string(record);
}

// The seed inputs: every system record and every prefix of it, shortest first.
inline std::vector<std::string> SeedInputs() {
  std::vector<std::string> seeds;
  for (const SystemRecord& r : SystemRecords())
    for (size_t n = 0; n <= r.bytes.size(); ++n) seeds.push_back(InputFor(r.target, std::string_view(r.bytes).substr(0, n)));
  return seeds;
}

// Each property name with its blank, once: the words a record is made of.
inline std::vector<std::string> PropertyWords() {
  std::vector<std::string> words;
  const ClassRecord* classes[] = {&Canvas::Class(), &Label::Class(),  &TextArea::Class(),
                                  &PushButton::Class(), &Timer::Class(), &Window::Class()};
  for (const ClassRecord* cls : classes)
    for (const ClassRecord* c = cls; c; c = c->super)
      for (const PropertyDescriptor& p : c->properties)
        if (std::find(words.begin(), words.end(), p.name + " ") == words.end()) words.push_back(p.name + " ");
  return words;
}

}  // namespace zefa::fuzz
