// The start-up sequence and the application object, run whole in this process.
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <new>
#include <set>
#include <stdexcept>

#include "calculator/calc_window.h"
#include "framework/gui/application.h"
#include "framework/gui/private/widgets.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"
#include "seams.h"
#include "framework/gui/timer.h"
#include "fresh_start.h"
#include "shell/about_window.h"
#include "shell/app_object.h"
#include "shell/menu_bar.h"
#include "shell/startup.h"

using namespace zefa;

namespace {

const std::vector<std::string> kNormalStart = {
    "RuntimeInit", "RuntimePerformInitializers", "Menu._implicitInstance", "_Main",
    "_RuntimeSetExceptionHelper", "RuntimeFrameworkVersion", "_EarlyStartup", "_SetSupportsHiDPI",
    "_RuntimeInitExternalClasses", "_InitPluginEntrypoints", "_InitFileTypes", "_NewAppInstance",
    "ZEFA.Constructor", "_x_SetVersionData", "Menu", "Menu.Constructor", "Menu.Untitled0", "Menu.Untitled1",
    "Menu.Untitled2", "Menu.Untitled3", "Application.MenuBar", "_RuntimeRegisterAppObject",
    "_ApplicationAddMenuHandlers", "_RunFrameworkInitialization", "_LateStartup", "_MakeDefaultView",
    "_RuntimeRun", "Quit", "RuntimePerformFinalizers", "RuntimeExit"};

class StartupTest : public FreshStart {
 protected:
  void SetUp() override {
    FreshStart::SetUp();
    zefa::testing::SetTracing(true);
  }
  void TearDown() override {
    guard.stop();
    FreshStart::TearDown();
  }

  // The trace restricted to the steps a normal start goes through, so that a step the framework
  // may trace besides them does not matter while a missing, extra or repeated one does.
  static std::vector<std::string> Steps() {
    std::set<std::string> known(kNormalStart.begin(), kNormalStart.end());
    known.insert({"_UnhandledException", "_Main.ReleaseDelegates"});
    std::vector<std::string> out;
    for (const std::string& s : zefa::testing::Trace())
      if (known.count(s)) out.push_back(s);
    return out;
  }
  static bool Ran(const std::string& step) {
    const auto& t = zefa::testing::Trace();
    return std::find(t.begin(), t.end(), step) != t.end();
  }

  // Ends a run loop that the test should have ended, or never reached, by now, so a fault fails
  // the test instead of hanging it; being a member, it cannot outlive the test.
  void GuardRunLoop() {
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &guard, [] { Quit(99); });
    guard.start(10000);
  }

  QTimer guard;
};

}  // namespace

TEST_F(StartupTest, NormalStartRunsEveryStepInOrderAndOpensOnlyTheSplashWindow) {
  bool calcAtStart = true, splashShown = false;
  int64_t windows = -1;
  Ref<Object> app;
  QTimer::singleShot(0, [&] {
    calcAtStart = GetImplicitWindow(Calc::kClassName) != nullptr;
    Ref<Object> about = GetImplicitWindow(AboutWindow::kClassName);
    splashShown = about && static_cast<Window&>(*about).IsVisible();
    windows = WindowCount();
    app = App();
    Quit(0);
  });
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(Steps(), kNormalStart);
  EXPECT_FALSE(calcAtStart);
  EXPECT_TRUE(splashShown);
  EXPECT_EQ(windows, 1);
  ASSERT_TRUE(app);
  EXPECT_EQ(&app->RuntimeClass(), &ZEFA::Class());
  EXPECT_EQ(RuntimeExceptionHelper(), &CallFunctionWithExceptionHandling);
}

TEST_F(StartupTest, ClickingTheSplashThenClosingTheCalculatorEndsWithZero) {
  GuardRunLoop();
  bool handedOver = false;
  QTimer::singleShot(0, [&] {
    Ref<Object> about = GetImplicitWindow(AboutWindow::kClassName);
    QTest::mouseClick(static_cast<Window&>(*about).Content(), Qt::LeftButton, {}, QPoint(20, 20));
    Ref<Object> calc = GetImplicitWindow(Calc::kClassName);
    handedOver = calc && static_cast<Window&>(*calc).IsVisible() && !static_cast<Window&>(*about).IsVisible();
    if (calc) static_cast<Window&>(*calc).Widget()->close();
  });
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_TRUE(handedOver);
  EXPECT_TRUE(Ran("Quit"));
}

TEST_F(StartupTest, ApplicationObjectCarriesItsVersionDataAndTheMenuBarAndIsHeldByTheFrameworkAlone) {
  NewAppInstance();
  Ref<Application> app = App();
  ASSERT_TRUE(app);
  EXPECT_EQ(&app->RuntimeClass(), &ZEFA::Class());
  EXPECT_EQ(app->MenuBar().get(), Menu::_implicitInstance.get());
  // Its version data, as the framework's version getters read it back.
  EXPECT_EQ((std::vector<int64_t>{app->MajorVersion(), app->MinorVersion(), app->BugVersion(), app->NonReleaseVersion(),
                                  app->StageCode(), app->RegionCode()}),
            (std::vector<int64_t>{3, 0, 0, 0, 3, 0}));
  EXPECT_EQ((std::vector<std::string>{app->LongVersion(), app->Copyright(), app->ShortVersion(), app->Version(),
                                      app->PackageInfo(), app->Description()}),
            (std::vector<std::string>{std::string(Calc::kRightsNotice), std::string(Calc::kRightsNotice), "3.0", "3.0",
                                      "ZEFA Calculation", "ZEFA Calculation"}));
  // The framework's hold is the only one: the start-up kept no reference of its own.
  EXPECT_EQ(app->RefCount(), 2);  // the framework's and this test's
}

TEST_F(StartupTest, ApplicationClassImplementsNoneOfItsElevenEvents) {
  const ClassRecord& cls = ZEFA::Class();
  EXPECT_EQ(cls.super, &Application::Class());
  EXPECT_EQ(cls.table[ZEFA::kConstructor].name, "Constructor");
  EXPECT_EQ(cls.interfaces.size(), 1u);  // appearance changes still reach the object
  Ref<Object> app = RuntimeNewObject(cls);
  ASSERT_EQ(cls.events.size(), 11u);
  for (const std::string& e : cls.events)
    EXPECT_FALSE(ZEFA::IsEventImplemented(app.get(), std::vector<Value>{Value(e)}).Boolean()) << e;
}

struct FailingStep : StartupTest, ::testing::WithParamInterface<const char*> {};

TEST_P(FailingStep, IsReportedOnceAndStopsStartUp) {
  const std::string step = GetParam();
  zefa::testing::FailAtStep(step);
  GuardRunLoop();
  bool registered = true;
  ExpectBoxes(1);
  zefa::testing::SetMessageBoxWatcher([&](const std::string&) { registered = App() != nullptr; });
  EXPECT_NE(RunProgram(), 0);
  std::vector<std::string> steps = Steps();
  EXPECT_EQ(std::count(steps.begin(), steps.end(), "_UnhandledException"), 1);
  ASSERT_GE(steps.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(steps.end() - 3, steps.end()),
            (std::vector<std::string>{"_UnhandledException", "RuntimePerformFinalizers", "RuntimeExit"}));
  for (const char* later : {"_RuntimeRegisterAppObject", "_ApplicationAddMenuHandlers",
                            "_RunFrameworkInitialization", "_LateStartup", "_RuntimeRun"})
    EXPECT_FALSE(Ran(later)) << later;
  EXPECT_FALSE(registered);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_NE(Boxes()[0].find("injected failure at " + step), std::string::npos) << Boxes()[0];
  EXPECT_EQ(WindowCount(), 0);
}

// The steps that build the application object.
INSTANTIATE_TEST_SUITE_P(ApplicationObject, FailingStep,
                         ::testing::Values("_NewAppInstance", "ZEFA.Constructor", "_x_SetVersionData",
                                           "Menu.Untitled2", "Application.MenuBar"));

// A step that fails while a start-up delegate is held (the guarded-call one, the late start-up
// one): the exception is reported first, and the delegate released after.
struct FailingWithADelegateHeld : StartupTest, ::testing::WithParamInterface<const char*> {};

TEST_P(FailingWithADelegateHeld, IsReportedBeforeTheDelegateIsReleased) {
  zefa::testing::FailAtStep(GetParam());
  GuardRunLoop();
  ExpectBoxes(1);
  EXPECT_NE(RunProgram(), 0);
  std::vector<std::string> steps = Steps();
  ASSERT_GE(steps.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(steps.end() - 4, steps.end()),
            (std::vector<std::string>{"_UnhandledException", "_Main.ReleaseDelegates", "RuntimePerformFinalizers",
                                      "RuntimeExit"}));
}

INSTANTIATE_TEST_SUITE_P(LastChancePath, FailingWithADelegateHeld,
                         ::testing::Values("_RuntimeSetExceptionHelper", "_MakeDefaultView"));

TEST_F(StartupTest, ExceptionLeftByTheInitialiserPassSkipsTheWholeStartUp) {
  zefa::testing::FailAtStep("Menu._implicitInstance");
  GuardRunLoop();
  ExpectBoxes(1);
  EXPECT_NE(RunProgram(), 0);
  EXPECT_EQ(Steps(), (std::vector<std::string>{"RuntimeInit", "RuntimePerformInitializers", "Menu._implicitInstance",
                                               "_Main", "_UnhandledException", "RuntimePerformFinalizers",
                                               "RuntimeExit"}));
}

TEST_F(StartupTest, LastChanceHandlerThatRaisesStillEndsThroughFinalisersAndExit) {
  zefa::testing::FailAtStep("_NewAppInstance");
  GuardRunLoop();
  ExpectBoxes(1);
  zefa::testing::SetMessageBoxWatcher([](const std::string&) { Raise<RuntimeException>("the report itself failed"); });
  EXPECT_NE(RunProgram(), 0);
  std::vector<std::string> steps = Steps();
  ASSERT_GE(steps.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(steps.end() - 3, steps.end()),
            (std::vector<std::string>{"_UnhandledException", "RuntimePerformFinalizers", "RuntimeExit"}));
}

// A handler raising what is no runtime exception, reached the way the toolkit reaches every
// handler (here a timer's Action): one line on standard error, the message box, status 1.
struct RaisingHandler : StartupTest, ::testing::WithParamInterface<int> {};

TEST_P(RaisingHandler, IsReportedAndEndsWithOne) {
  static int kind;
  kind = GetParam();
  Method raises = [](Object*, Args) -> Value {
    if (kind == 0) throw std::bad_alloc();
    if (kind == 1) throw std::runtime_error("disk on fire");
    throw 7;
  };
  GuardRunLoop();
  ExpectBoxes(1);
  Ref<Object> timer;
  QTimer::singleShot(0, [&] {
    timer = RuntimeNewObject(Timer::Class());
    RuntimeAddEventHandler(*timer, Timer::kAction, AddHandler::Stub(Timer::kAction),
                           RuntimeCreateDelegate(Delegate::IM_Invoke, raises, App().get(), "( Timer )", 1));
    static_cast<Timer&>(*timer).SetPeriod(1);
    static_cast<Timer&>(*timer).SetRunMode(Timer::kSingle);
  });
  ::testing::internal::CaptureStderr();
  int status = RunProgram();
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, 1);
  size_t lines = 0;
  for (size_t p = err.find("zefa: unhandled "); p != std::string::npos; p = err.find("zefa: unhandled ", p + 1)) ++lines;
  EXPECT_EQ(lines, 1u) << err;
}

// std::bad_alloc, a standard exception with a message, a thrown int.
INSTANTIATE_TEST_SUITE_P(OfAnyType, RaisingHandler, ::testing::Values(0, 1, 2));
