// Event numbering, delegates and dispatch.
#include <gtest/gtest.h>

#include "framework/gui/application.h"
#include "framework/gui/canvas.h"
#include "framework/gui/label.h"
#include "framework/gui/push_button.h"
#include "framework/gui/text_area.h"
#include "framework/gui/timer.h"
#include "framework/gui/window.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"

using namespace zefa;

namespace {
std::vector<std::string> g_calls;

Value Handler(Object* self, Args args) {
  g_calls.push_back(self ? self->Class().name : "nil");
  g_calls.push_back(std::to_string(args.size()));
  return true;
}
}  // namespace

TEST(EventNumbers, FollowTheFullEventListBaseClassesFirst) {
  struct Case {
    const ClassRecord& cls;
    const char* event;
    int number;
  };
  for (const Case& c : std::initializer_list<Case>{
           {TextArea::Class(), "KeyDown", 9},      {TextArea::Class(), "GotFocus", 16},
           {TextArea::Class(), "LostFocus", 17},   {TextArea::Class(), "MouseDown", 18},
           {TextArea::Class(), "ValidationError", 22}, {Label::Class(), "MouseEnter", 11},
           {Label::Class(), "MouseExit", 12},      {Label::Class(), "MouseDown", 16},
           {PushButton::Class(), "Action", 15},    {PushButton::Class(), "MouseDown", 18},
           {Canvas::Class(), "MouseDown", 21},     {Canvas::Class(), "ScaleFactorChanged", 25},
           {Timer::Class(), "Action", 0},          {Window::Class(), "Close", 3},
           {Window::Class(), "CreateControls", 7}, {Window::Class(), "KeyDown", 14},
           {Window::Class(), "Layout", 16},        {Window::Class(), "MouseDown", 19},
           {Window::Class(), "SetupBindings", 33}}) {
    EXPECT_EQ(c.cls.EventNumber(c.event), c.number) << c.cls.name << "." << c.event;
  }
  EXPECT_EQ(Window::Class().events.size(), 34u);
}

TEST(Delegates, DispatchReachesTheHandlerWithTheSourceFirst) {
  g_calls.clear();
  Ref<Object> target = RuntimeNewObject(Application::Class());
  Ref<Object> timer = RuntimeNewObject(Timer::Class());
  Ref<Delegate> d = RuntimeCreateDelegate(Delegate::IM_Invoke, Handler, target.get(), "( Timer )", 1);
  RuntimeAddEventHandler(*timer, 0, AddHandler::Stub(0), d);
  Value v = RaiseEvent(*timer, 0, std::vector<Value>{Value(int64_t{5})});
  EXPECT_TRUE(v.Boolean());
  EXPECT_EQ(g_calls, (std::vector<std::string>{"Application", "2"}));
  EXPECT_EQ(d->Signature(), "( Timer )");
  // An unbound event reaches nothing and yields nil.
  Ref<Object> other = RuntimeNewObject(Timer::Class());
  EXPECT_TRUE(RaiseEvent(*other, 0).IsNil());
  EXPECT_THROW(RuntimeAddEventHandler(*timer, 1, AddHandler::Stub(1), d), RuntimeError);
}

TEST(Delegates, NilTargetRaisesNilObjectExceptionWhenInvoked) {
  Ref<Object> timer = RuntimeNewObject(Timer::Class());
  Ref<Delegate> d = RuntimeCreateDelegate(Delegate::IM_Invoke, Handler, nullptr, "( Timer )", 1);
  RuntimeAddEventHandler(*timer, 0, AddHandler::Stub(0), d);
  try {
    RaiseEvent(*timer, 0);
    FAIL();
  } catch (const RuntimeError& e) {
    EXPECT_TRUE(e.IsA(NilObjectException::Class()));
  }
}

TEST(Delegates, PlainFunctionDelegatesHandOutTheirEntry) {
  g_calls.clear();
  Ref<Delegate> d = RuntimeCreateDelegate(Delegate::Invoke, Handler, nullptr, "(  )", 0);
  EXPECT_EQ(d->FunctionEntry(), &Handler);
  d->Call({});
  EXPECT_EQ(g_calls, (std::vector<std::string>{"nil", "0"}));
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
  EXPECT_TRUE(v.ObjectRef()->Class().IsA(NilObjectException::Class()));
  EXPECT_TRUE(call(fine).IsNil());
  EXPECT_THROW(call(ends), RuntimeError);
  Method none = nullptr;
  EXPECT_TRUE(call(none).ObjectRef()->Class().IsA(NilObjectException::Class()));
}

TEST(WindowEvents, GoThroughTheClassHookTable) {
  static int closes = 0;
  ClassRecord& cls = NewClassRecord("TestHookWindow", &Window::Class());
  cls.SetHook("Close", [](Object*, Args) -> Value {
    ++closes;
    return {};
  });
  Ref<Object> w = RuntimeNewObject(cls);
  EXPECT_TRUE(RuntimeIsEventHandled(w.get(), "TestHookWindow", "Close", true));
  EXPECT_TRUE(RuntimeIsEventHandled(w.get(), "TestHookWindow", "close", true));
  EXPECT_FALSE(RuntimeIsEventHandled(w.get(), "TestHookWindow", "Open", true));
  EXPECT_FALSE(RuntimeIsEventHandled(w.get(), "TestHookWindow", "NoSuchEvent", true));
  RaiseWindowEvent(*w, Window::kCloseEvent);
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(RaiseWindowEvent(*w, Window::kOpen).IsNil());
}

TEST(WindowEvents, AnExceptionFromTheToolkitSideIsKeptPending) {
  DeliverFromToolkit([] { Raise<OutOfBoundsException>("boom"); });
  Ref<Object> e = TakePendingException();
  ASSERT_TRUE(e);
  EXPECT_TRUE(e->Class().IsA(OutOfBoundsException::Class()));
  EXPECT_FALSE(TakePendingException());
}
