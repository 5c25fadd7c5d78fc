// Object model, class records, casts, the UI-thread rule and the message-box seam.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <latch>
#include <thread>
#include <type_traits>

#include "framework/gui/application.h"
#include "framework/gui/canvas.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/label.h"
#include "framework/gui/menu.h"
#include "framework/gui/push_button.h"
#include "framework/gui/text_area.h"
#include "framework/gui/window.h"
#include "framework/runtime/ui_thread.h"
#include "seams.h"
#include "fresh_start.h"
#include "raises.h"

using namespace zefa;

namespace {

// Runs fn on another thread and returns the class of the exception it raised, if any.
const ClassRecord* RaisedOffMainThread(const std::function<void()>& fn) {
  const ClassRecord* raised = nullptr;
  std::thread t([&] {
    try {
      fn();
    } catch (const RuntimeError& e) {
      raised = &e.RuntimeClass();
    }
  });
  t.join();
  return raised;
}

}  // namespace

// First in this file, so that nothing built these records before: the start-up step builds every
// one it lists, the wrong-thread exception too, so that a first raise on a worker finds it built.
TEST(ExternalClasses, StartUpBuildsEveryRecordItLists) {
  RuntimeInitExternalClasses();
  for (const char* name : {"BooleanBox", "IntegerBox", "DoubleBox", "StringBox", "PtrBox", "FunctionNotFoundException",
                           "IllegalCastException", "NilObjectException", "OutOfBoundsException",
                           "StackOverflowException", "TypeMismatchException", "UnsupportedFormatException",
                           "ThreadAccessingUIException", "MessageDialog", "WeakRef"})
    EXPECT_NE(FindClassRecord(name), nullptr) << name;
  const ClassRecord* wrongThread = FindClassRecord("ThreadAccessingUIException");
  ASSERT_NE(wrongThread, nullptr);
  EXPECT_EQ(RaisedOffMainThread([] { CheckUIThread(); }), wrongThread);
}

TEST(ObjectModel, ReferencesAreCountedAndReleased) {
  static int destroyed;
  destroyed = 0;
  struct Probe : Object {
    using Object::Object;
    ~Probe() override { ++destroyed; }
  };
  const ClassRecord& cls = RuntimeException::Class();
  {
    Ref<Object> a(new Probe(cls));
    EXPECT_EQ(a->RefCount(), 1);
    Ref<Object> b = a;
    EXPECT_EQ(a->RefCount(), 2);
    b.reset();
    EXPECT_EQ(a->RefCount(), 1);
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);
}

TEST(ObjectModel, ClassRecordsAreBuiltOnceAndFoundByName) {
  const ClassRecord& a = TextArea::Class();
  const ClassRecord& b = TextArea::Class();
  EXPECT_EQ(&a, &b);
  EXPECT_EQ(FindClassRecord("TextArea"), &a);
  // TextEdit sits between RectControl and TextArea and adds no events.
  ASSERT_NE(a.super, nullptr);
  EXPECT_EQ(a.super->name, "TextEdit");
  EXPECT_EQ(a.super->events.size(), RectControl::Class().events.size());
  EXPECT_TRUE(a.IsA(RectControl::Class()));
  EXPECT_FALSE(a.IsA(Label::Class()));
}

// A reference converts up the hierarchy only: a downcast has to go through the checked cast.
static_assert(std::is_convertible_v<Ref<Window>, Ref<Object>>);
static_assert(!std::is_convertible_v<Ref<Object>, Ref<Window>>);
static_assert(!std::is_constructible_v<Ref<Window>, Ref<Object>>);
static_assert(!std::is_constructible_v<Ref<MenuItem>, Ref<Window>>);

TEST(ObjectModel, CheckCastAcceptsSubclassesAndRefusesOthers) {
  Ref<Object> item = RuntimeNewObject(QuitMenuItem::Class());
  EXPECT_EQ(RuntimeCheckCast(item, MenuItem::Class()), item);
  EXPECT_EQ(RuntimeCheckCast(nullptr, MenuItem::Class()), Ref<Object>());
  EXPECT_EQ(&CheckedAs<MenuItem>(item.get()), item.get());
  EXPECT_EQ(AsOrNull<Window>(item.get()), nullptr);
  // IllegalCastException is a RuntimeException: ExceptionClassesFormOneFamily.
  EXPECT_TRUE(Raises([&] { RuntimeCheckCast(item, Window::Class()); }, IllegalCastException::Class()));
  EXPECT_TRUE(Raises([&] { CheckedAs<Window>(item.get()); }, IllegalCastException::Class()));
}

// Built once however many threads ask first; published before it is filled, so the filling
// finds it by name and a call back into the same Class() gets it instead of waiting on itself.
const ClassRecord& RacedClass() {
  static ClassOnce once;
  return BuildClassOnce(once, "TestRacedClass", &Window::Class, [](ClassRecord& rec) {
    EXPECT_EQ(FindClassRecord("TestRacedClass"), &rec);
    EXPECT_EQ(&RacedClass(), &rec);
    static constexpr EventRow kRaced[] = {{Window::kEventCount, "Raced"}};
    rec.AddEvents(kRaced);
    rec.properties = {{"Raced", PropType::Boolean, [](Object&, const Value&) {}}};
  });
}

TEST(ObjectModel, AClassRecordIsBuiltOnceAndFoundWhileItIsFilled) {
  std::vector<const ClassRecord*> seen(8);
  std::vector<const PropertyDescriptor*> found(seen.size());
  std::latch start(static_cast<std::ptrdiff_t>(seen.size()));
  std::vector<std::thread> threads;
  for (size_t i = 0; i < seen.size(); ++i)
    threads.emplace_back([&, i] {
      start.arrive_and_wait();
      seen[i] = &RacedClass();
      found[i] = seen[i]->FindProperty("raced");  // a published record is only read
    });
  for (std::thread& t : threads) t.join();
  for (const ClassRecord* s : seen) EXPECT_EQ(s, FindClassRecord("TestRacedClass"));
  for (const PropertyDescriptor* p : found) EXPECT_EQ(p, &RacedClass().properties[0]);
  EXPECT_EQ(RacedClass().EventNumber("Raced"), static_cast<int>(Window::Class().events.size()));
}

// Properties are found whatever their case, the class's own before its bases', also while the
// record is still being filled and has more of its own to come.
TEST(ObjectModel, PropertiesAreFoundOwnFirstAlsoWhileTheRecordIsFilled) {
  static ClassOnce once;
  const ClassRecord& rec = BuildClassOnce(once, "TestPropertyClass", &Label::Class, [](ClassRecord& r) {
    EXPECT_EQ(r.FindProperty("text"), Label::Class().FindProperty("Text"));
    r.properties = {{"TEXT", PropType::String, [](Object&, const Value&) {}}};
    EXPECT_EQ(r.FindProperty("Text"), &r.properties[0]);
  });
  EXPECT_EQ(rec.FindProperty("text"), &rec.properties[0]);
  EXPECT_NE(rec.FindProperty("visible"), nullptr);
  EXPECT_EQ(rec.FindProperty("visible"), Label::Class().FindProperty("Visible"));
  EXPECT_EQ(rec.FindProperty("NoSuchProperty"), nullptr);
}

TEST(ObjectModel, ExceptionClassesFormOneFamily) {
  for (const ClassRecord* c :
       {&NilObjectException::Class(), &IllegalCastException::Class(), &ThreadAccessingUIException::Class(),
        &FunctionNotFoundException::Class(), &OutOfBoundsException::Class(), &StackOverflowException::Class(),
        &TypeMismatchException::Class(), &UnsupportedFormatException::Class()}) {
    EXPECT_TRUE(c->IsA(RuntimeException::Class())) << c->name;
    try {
      RaiseException(*c, "message");
    } catch (const RuntimeError& e) {
      EXPECT_EQ(&e.RuntimeClass(), c);
      EXPECT_EQ(e.Message(), "message");
    }
  }
}

TEST(ObjectModel, ValuesOfTheWrongKindRaiseTypeMismatch) {
  Value v(int64_t{3});
  EXPECT_EQ(v.Double(), 3.0);  // an Integer widens to a Double
  EXPECT_THROW(v.String(), RuntimeError);
  EXPECT_THROW(Value("x").Boolean(), RuntimeError);
  EXPECT_FALSE(Value().ObjectRef());
}

// Reading a control's text before it is constructed is a runtime exception, as setting it is.
TEST(ObjectModel, TextGettersBeforeConstructionRaise) {
  Ref<Label> label = CheckCast<Label>(RuntimeNewObject(Label::Class()));
  Ref<PushButton> button = CheckCast<PushButton>(RuntimeNewObject(PushButton::Class()));
  EXPECT_THROW(label->SetText("x"), RuntimeError);
  EXPECT_THROW((void)label->Text(), RuntimeError);
  EXPECT_THROW((void)button->Caption(), RuntimeError);
}

TEST(UiThread, UiOperationsOffTheMainThreadRaise) {
  using Ops = std::initializer_list<std::function<void()>>;
  auto allRaise = [](Ops ops) {
    for (const std::function<void()>& op : ops) EXPECT_EQ(RaisedOffMainThread(op), &ThreadAccessingUIException::Class());
  };
  Ref<Object> w = RuntimeNewObject(Window::Class());
  auto& win = static_cast<Window&>(*w);
  Ref<Object> item = RuntimeNewObject(MenuItem::Class());
  allRaise({[&] { win.Constructor(); }, [&] { MsgBox("x"); }, [&] { static_cast<MenuItem&>(*item).SetValue("x"); }});

  win.Constructor();
  Ref<Object> c = win.New(TextArea::Class());
  auto& field = static_cast<TextArea&>(*c);
  allRaise({[&] { field.Constructor(); }});
  field.Constructor();
  Ref<Object> canvas = win.New(Canvas::Class());
  allRaise({[&] { win.AddControl("f", c); }, [&] { field.SetText("1"); }, [&] { (void)field.Text(); },
            [&] { field.SetEnabled(false); }, [&] { field.SetVisible(false); }, [&] { field.SetFocus(); },
            [&] { win.Show(); }, [&] { win.Hide(); }, [&] { static_cast<Canvas&>(*canvas).SetBackdrop(nullptr); }});
  // On the main thread the same calls work.
  field.SetText("12");
  EXPECT_EQ(field.Text(), "12");
  win.Teardown();
}

// A message box the test did not expect is reported, and closed at once even where boxes are
// otherwise left open for the test; an expected one is left to the test.
using MessageBoxSeam = FreshStart;

TEST_F(MessageBoxSeam, AnUnexpectedBoxIsReportedAndClosedAtOnce) {
  std::vector<std::string> reported;
  auto harness = zefa::testing::SetUnexpectedMessageBoxHandler([&](const std::string& t) { reported.push_back(t); });
  zefa::testing::SetAutoDismissMessageBoxes(false);
  MsgBox("nobody asked");
  EXPECT_EQ(reported, std::vector<std::string>{"nobody asked"});

  bool leftOpen = false;
  zefa::testing::SetMessageBoxWatcher([&](const std::string&) {
    QTimer::singleShot(0, [&] {
      leftOpen = QApplication::activeModalWidget();
      if (leftOpen) QApplication::activeModalWidget()->close();
    });
  });
  ExpectBoxes(1);
  MsgBox("expected");
  zefa::testing::SetUnexpectedMessageBoxHandler(harness);
  EXPECT_TRUE(leftOpen);
  EXPECT_EQ(reported.size(), 1u);
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"nobody asked", "expected"}));
}
