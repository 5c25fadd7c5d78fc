// Delegates and dispatch; the events that time and the user raise: a timer's
// Action, a window's closing, Tab.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest/QTest>

#include "framework/gui/application.h"
#include "framework/gui/canvas.h"
#include "framework/gui/control_records.h"
#include "framework/gui/text_area.h"
#include "framework/gui/timer.h"
#include "framework/gui/private/widgets.h"
#include "framework/gui/window.h"
#include "framework/gui/window_building.h"
#include "framework/runtime/delegate.h"
#include "fresh_start.h"
#include "raises.h"

using namespace zefa;

namespace {
std::vector<std::string> g_calls;
std::vector<Value> g_args;  // the last call's arguments

Value Handler(Object* self, Args args) {
  g_calls.push_back(self ? self->RuntimeClass().name : "nil");
  g_args.assign(args.begin(), args.end());
  return true;
}
}  // namespace

TEST(Delegates, DispatchReachesTheHandlerWithTheSourceFirst) {
  g_calls.clear();
  Ref<Object> target = RuntimeNewObject(Application::Class());
  Ref<Object> timer = RuntimeNewObject(Timer::Class());
  Ref<Delegate> d = RuntimeCreateDelegate(Delegate::IM_Invoke, Handler, target.get(), "( Timer, Integer )", 1);
  RuntimeAddEventHandler(*timer, 0, AddHandler::Stub(0), d);
  Value v = RaiseEvent(*timer, 0, std::vector<Value>{Value(int64_t{5})});
  EXPECT_TRUE(v.Boolean());
  EXPECT_EQ(g_calls, std::vector<std::string>{"Application"});
  ASSERT_EQ(g_args.size(), 2u);
  EXPECT_EQ(g_args[0].ObjectRef(), timer);
  EXPECT_EQ(g_args[1].Integer(), 5);
  g_args.clear();
  EXPECT_EQ(d->Signature(), "( Timer, Integer )");
  // An unbound event reaches nothing and yields nil.
  Ref<Object> other = RuntimeNewObject(Timer::Class());
  EXPECT_TRUE(RaiseEvent(*other, 0).IsNil());
  EXPECT_THROW(RuntimeAddEventHandler(*timer, 1, AddHandler::Stub(1), d), RuntimeError);
}

// The operations and handlers read their arguments by position: a call handed more or fewer than
// the signature lists is refused before it reaches them.
TEST(Delegates, CallsHandedTheWrongArgumentCountRaiseOutOfBounds) {
  Ref<Object> w = RuntimeNewObject(Window::Class());
  auto call = [&](std::vector<Value> args) { return CallSlot(w.get(), Window::k_ControlByNameIndex, args); };
  EXPECT_TRUE(call({Value("none"), Value(0)}).IsNil());
  EXPECT_TRUE(Raises([&] { call({Value("none")}); }, OutOfBoundsException::Class()));
  EXPECT_TRUE(Raises([&] { call({Value("none"), Value(0), Value(1)}); }, OutOfBoundsException::Class()));
  EXPECT_TRUE(Raises([&] { CallSlot(w.get(), Window::kShow, std::vector<Value>{Value(1)}); },
                     OutOfBoundsException::Class()));

  // The event's source travels as the delegate's first argument.
  g_calls.clear();
  Ref<Object> timer = RuntimeNewObject(Timer::Class());
  RuntimeAddEventHandler(*timer, 0, AddHandler::Stub(0),
                         RuntimeCreateDelegate(Delegate::Invoke, Handler, nullptr, "( Timer, String )", 0));
  EXPECT_TRUE(Raises([&] { RaiseEvent(*timer, 0); }, OutOfBoundsException::Class()));
  EXPECT_TRUE(Raises([&] { RaiseEvent(*timer, 0, std::vector<Value>{Value("a"), Value("b")}); },
                     OutOfBoundsException::Class()));
  EXPECT_TRUE(g_calls.empty());
  RaiseEvent(*timer, 0, std::vector<Value>{Value("a")});
  EXPECT_EQ(g_calls, std::vector<std::string>{"nil"});
  EXPECT_EQ(g_args.size(), 2u);
  g_args.clear();
}

TEST(Delegates, NilTargetRaisesNilObjectExceptionWhenInvoked) {
  Ref<Object> timer = RuntimeNewObject(Timer::Class());
  Ref<Delegate> d = RuntimeCreateDelegate(Delegate::IM_Invoke, Handler, nullptr, "( Timer )", 1);
  RuntimeAddEventHandler(*timer, 0, AddHandler::Stub(0), d);
  EXPECT_TRUE(Raises([&] { RaiseEvent(*timer, 0); }, NilObjectException::Class()));
}

TEST(Delegates, PlainFunctionDelegatesHandOutTheirEntry) {
  g_calls.clear();
  Ref<Delegate> d = RuntimeCreateDelegate(Delegate::Invoke, Handler, nullptr, "(  )", 0);
  EXPECT_EQ(d->FunctionEntry(), &Handler);
  d->Call({});
  EXPECT_EQ(g_calls, std::vector<std::string>{"nil"});
  EXPECT_TRUE(g_args.empty());
}

TEST(GuardedCall, ReturnsRuntimeExceptionsAndPassesOthersOn) {
  Method raisesNil = [](Object*, Args) -> Value { RaiseNilObjectException(); };
  Method fine = [](Object*, Args) -> Value { return {}; };
  Method ends = [](Object*, Args) -> Value { Raise<EndException>("end"); };
  auto call = [](const Method& m) {
    return CallFunctionWithExceptionHandling(nullptr, std::vector<Value>{Value(static_cast<const void*>(&m)),
                                                                         Value(static_cast<const void*>(nullptr))});
  };
  Value v = call(raisesNil);
  ASSERT_FALSE(v.IsNil());
  EXPECT_TRUE(v.ObjectRef()->RuntimeClass().IsA(NilObjectException::Class()));
  EXPECT_TRUE(call(fine).IsNil());
  EXPECT_THROW(call(ends), RuntimeError);
  Method none = nullptr;
  EXPECT_TRUE(call(none).ObjectRef()->RuntimeClass().IsA(NilObjectException::Class()));
}

TEST(WindowEvents, GoThroughTheClassHookTable) {
  static int closes;
  closes = 0;
  ClassRecord& cls = NewClassRecord("TestHookWindow", &Window::Class());
  cls.SetHook("Close", [](Object*, Args) -> Value {
    ++closes;
    return {};
  });
  Ref<Object> w = RuntimeNewObject(cls);
  EXPECT_TRUE(RuntimeIsEventHandled(w.get(), "TestHookWindow", "Close"));
  EXPECT_TRUE(RuntimeIsEventHandled(w.get(), "TestHookWindow", "close"));
  EXPECT_FALSE(RuntimeIsEventHandled(w.get(), "TestHookWindow", "Open"));
  EXPECT_FALSE(RuntimeIsEventHandled(w.get(), "TestHookWindow", "NoSuchEvent"));
  RaiseWindowEvent(*w, Window::kCloseEvent);
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(RaiseWindowEvent(*w, Window::kOpen).IsNil());
}

TEST(WindowEvents, AnExceptionFromTheToolkitSideIsKeptPending) {
  DeliverFromToolkit([] { Raise<OutOfBoundsException>("boom"); });
  Ref<Object> e = TakePendingException();
  ASSERT_TRUE(e);
  EXPECT_TRUE(e->RuntimeClass().IsA(OutOfBoundsException::Class()));
  EXPECT_FALSE(TakePendingException());
}

namespace {

int g_fires = 0;
Value CountFire(Object*, Args) { ++g_fires; return {}; }

Ref<Timer> CountingTimer() {
  g_fires = 0;
  Ref<Timer> t = CheckCast<Timer>(RuntimeNewObject(Timer::Class()));
  RuntimeAddEventHandler(*t, Timer::kAction, AddHandler::Stub(Timer::kAction),
                         RuntimeCreateDelegate(Delegate::Invoke, CountFire, nullptr, "( Timer )", 0));
  return t;
}

// A shown window of a class of its own with the given hooks.
Ref<Window> OpenWindow(const char* className, std::initializer_list<std::pair<const char*, Method>> hooks = {}) {
  ClassRecord& cls = NewClassRecord(className, &Window::Class());
  for (const auto& [event, fn] : hooks) cls.SetHook(event, fn);
  Ref<Window> w = CheckCast<Window>(RuntimeNewObject(cls));
  w->Constructor();
  w->Show();
  return w;
}

bool g_cancel = true;
int g_closes = 0;
Value CancelClose(Object*, Args) { return g_cancel; }
Value CountClose(Object*, Args) { ++g_closes; return {}; }

// Four fields made out of their tab order; D is no tab stop.
Value CreateFields(Object* self, Args) {
  for (auto [name, index, stop] : {std::tuple{"B", 2, true}, {"A", 1, true}, {"C", 3, true}, {"D", 0, false}}) {
    NewControl(self, TextArea::Class(), name);
    auto& field = static_cast<TextArea&>(*ControlByName(self, name));
    field.SetTabIndex(index);
    field.SetTabStop(stop);
  }
  return {};
}

// A canvas whose row names no picture accessor.
const std::string& BareCanvasRecord() {
  static const std::string bytes = CanvasRecord("Bare", {.width = 10, .height = 10}, {});
  return bytes;
}
const ControlRow kBareCanvas[] = {{0, "Bare", Canvas::Class, Canvas::Class, nullptr, BareCanvasRecord}};
Value CreateBareCanvas(Object* self, Args) {
  BuildControls(self, kBareCanvas, {});
  return {};
}

}  // namespace

using TimerEvents = FreshStart;

TEST_F(TimerEvents, RunMode1FiresOnceAndRunMode2AgainAndAgainUntilTurnedOff) {
  Ref<Timer> once = CountingTimer();
  once->SetPeriod(5);
  once->SetRunMode(Timer::kSingle);
  ASSERT_TRUE(QTest::qWaitFor([] { return g_fires == 1; }, 10000));
  EXPECT_FALSE(once->IsCounting());

  Ref<Timer> repeating = CountingTimer();
  repeating->SetPeriod(5);
  repeating->SetRunMode(Timer::kMultiple);
  EXPECT_TRUE(QTest::qWaitFor([] { return g_fires >= 3; }, 10000));
  EXPECT_TRUE(repeating->IsCounting());
  repeating->SetRunMode(Timer::kOff);
  EXPECT_FALSE(repeating->IsCounting());
}

// A timer set again, by Period or RunMode, more often than its period never fires; it fires a
// whole period after the last setting.
TEST_F(TimerEvents, SettingPeriodOrRunModeStartsTheCountAfresh) {
  Ref<Timer> t = CountingTimer();
  t->SetPeriod(100);
  t->SetRunMode(Timer::kSingle);
  QElapsedTimer sinceLastSetting;
  int settings = 0;
  QTimer setter;
  QObject::connect(&setter, &QTimer::timeout, &setter, [&] {
    settings++ % 2 ? t->SetPeriod(100) : t->SetRunMode(Timer::kSingle);
    sinceLastSetting.start();
    if (settings == 30) setter.stop();
  });
  setter.start(10);
  ASSERT_TRUE(QTest::qWaitFor([&] { return settings == 30 || g_fires > 0; }, 30000));
  EXPECT_EQ(g_fires, 0);
  ASSERT_TRUE(QTest::qWaitFor([] { return g_fires > 0; }, 10000));
  EXPECT_GE(sinceLastSetting.elapsed(), 100);
}

// A timer fires at its period, never before: a coarse one would fire up to 5 % early whenever the
// clock's round figure nearest its end falls before it, so some of fifteen starts would show it.
TEST_F(TimerEvents, ASingleTimerNeverFiresBeforeItsPeriod) {
  Ref<Timer> t = CountingTimer();
  t->SetPeriod(200);
  for (int round = 1; round <= 15; ++round) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    t->SetRunMode(Timer::kSingle);
    ASSERT_TRUE(QTest::qWaitFor([&] { return g_fires == round; }, 10000));
    EXPECT_GE(sinceStart.nsecsElapsed(), 200'000'000) << "round " << round;
  }
}

using ShownWindows = FreshStart;

TEST_F(ShownWindows, AWindowWhoseCancelCloseAnswersTrueStaysOpen) {
  g_cancel = true;
  g_closes = 0;
  Ref<Window> w = OpenWindow("TestCancellingWindow", {{"CancelClose", CancelClose}, {"Close", CountClose}});
  EXPECT_FALSE(w->Widget()->close());
  EXPECT_TRUE(w->IsVisible());
  EXPECT_EQ(g_closes, 0);
  g_cancel = false;
  EXPECT_TRUE(w->Widget()->close());
  EXPECT_FALSE(w->IsVisible());
  EXPECT_EQ(g_closes, 1);
  EXPECT_FALSE(RequestedQuit());  // the Close hook decides
}

// With no Close hook, closing the last visible window ends the application with 0; a hidden
// window does not keep it running.
TEST_F(ShownWindows, TheLastVisibleWindowClosedWithoutACloseHookQuitsWithZero) {
  Ref<Window> first = OpenWindow("TestPlainWindow1");
  Ref<Window> second = OpenWindow("TestPlainWindow2");
  OpenWindow("TestPlainWindow3")->Hide();
  first->Widget()->close();
  EXPECT_FALSE(RequestedQuit());
  second->Widget()->close();
  ASSERT_TRUE(RequestedQuit());
  EXPECT_EQ(*RequestedQuit(), 0);
}

// A canvas row without a picture accessor is built with no picture, as one whose accessor finds none.
TEST_F(ShownWindows, ACanvasRowWithoutAPictureAccessorGetsNoPicture) {
  Ref<Window> w = OpenWindow("TestBareCanvasWindow", {{"CreateControls", CreateBareCanvas}});
  Ref<Canvas> canvas = CheckCast<Canvas>(w->ControlByName("Bare"));
  ASSERT_TRUE(canvas);
  EXPECT_FALSE(canvas->Backdrop());
}

// Tab moves through the controls with TabStop in TabIndex order, whatever order they were made in.
TEST_F(ShownWindows, TabFollowsTabIndexAndSkipsWhatIsNoTabStop) {
  Ref<Window> w = OpenWindow("TestTabWindow", {{"CreateControls", CreateFields}});
  w->Widget()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w->Widget()));
  auto field = [&](const char* name) { return static_cast<TextArea&>(*w->ControlByName(name)).Widget(); };
  field("A")->setFocus();
  for (const char* next : {"B", "C", "A"}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), field(next)) << next;
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), field("C"));
}
