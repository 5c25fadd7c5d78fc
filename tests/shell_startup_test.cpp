// The start-up sequence and the application object, run whole in this process.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <algorithm>
#include <new>
#include <set>
#include <stdexcept>

#include "calculator/calc_window.h"
#include "framework/gui/application.h"
#include "framework/gui/widgets.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/text.h"
#include "framework/testing.h"
#include "framework/gui/timer.h"
#include "framework/runtime/text.h"
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

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ReleaseAllWindows();
    ResetQuitForTesting();
    zefa::testing::ResetRegistered();
    boxes.clear();
    zefa::testing::SetMessageBoxWatcher([this](const std::string& t) { boxes.push_back(t); });
    zefa::testing::ClearTrace();
    zefa::testing::SetTracing(true);
  }
  void TearDown() override {
    zefa::testing::SetTracing(false);
    zefa::testing::SetMessageBoxWatcher(nullptr);
    zefa::testing::FailAtStep("");
    RuntimePerformFinalizers();  // drops the windows and the registered application object
    ResetQuitForTesting();
  }

  // The trace restricted to the steps a normal start goes through, so that a step the framework
  // may trace besides them does not matter while a missing, extra or repeated one does.
  static std::vector<std::string> Steps() {
    std::set<std::string> known(kNormalStart.begin(), kNormalStart.end());
    known.insert("_UnhandledException");
    std::vector<std::string> out;
    for (const std::string& s : zefa::testing::Trace())
      if (known.count(s)) out.push_back(s);
    return out;
  }
  static bool Ran(const std::string& step) {
    const auto& t = zefa::testing::Trace();
    return std::find(t.begin(), t.end(), step) != t.end();
  }

  // Ends a run loop that a start-up under test should never have reached, so a fault fails the
  // test instead of hanging it; being a member, it cannot outlive the test.
  void GuardRunLoop() {
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &guard, [] { Quit(99); });
    guard.start(10000);
  }

  std::vector<std::string> boxes;
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
  EXPECT_EQ(&app->Class(), &ZEFA::Class());
  EXPECT_EQ(RuntimeExceptionHelper(), &CallFunctionWithExceptionHandling);
  EXPECT_EQ(RuntimeFrameworkVersionStamp(), 2019.031);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(StartupTest, ClickingTheSplashThenClosingTheCalculatorEndsWithZero) {
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

TEST_F(StartupTest, ApplicationObjectCarriesTheVersionDataAndTheMenuBar) {
  NewAppInstance();
  Ref<Application> app = App();
  ASSERT_TRUE(app);
  EXPECT_EQ(&app->Object::Class(), &ZEFA::Class());
  EXPECT_EQ(app->_x_mMajorVersion, 3);
  EXPECT_EQ(app->_x_mMinorVersion, 0);
  EXPECT_EQ(app->_x_mBugVersion, 0);
  EXPECT_EQ(app->NonReleaseVersion(), 0);
  EXPECT_EQ(app->StageCode(), 3);
  EXPECT_EQ(app->_x_mRegionCode, 0);
  EXPECT_EQ(app->_x_mLongVersion, "\xC2\xA9 2026 The ZEFA Calculator team");
  EXPECT_EQ(app->_x_mLongVersion.size(), 32u);
  EXPECT_EQ(Len(app->_x_mLongVersion), 31);
  EXPECT_EQ(app->_x_mShortVersion, "3.0");
  EXPECT_EQ(app->_x_mPackageInfo, "ZEFA Calculation");
  EXPECT_EQ(app->MenuBar().get(), Menu::_implicitInstance.get());
  // The framework's hold is the only one: the start-up kept no reference of its own.
  EXPECT_EQ(app->RefCount(), 2);  // the framework's and this test's
}

TEST_F(StartupTest, ApplicationClassImplementsNoneOfItsElevenEvents) {
  const ClassRecord& cls = ZEFA::Class();
  EXPECT_EQ(cls.super, &Application::Class());
  ASSERT_EQ(cls.table.size(), 19u);
  EXPECT_EQ(cls.table[ZEFA::kConstructor].name, "Constructor");
  EXPECT_EQ(cls.interfaces.size(), 1u);  // appearance changes still reach the object
  Ref<Object> app = RuntimeNewObject(cls);
  ASSERT_EQ(cls.events.size(), 11u);
  for (const std::string& e : cls.events)
    EXPECT_FALSE(ZEFA::IsEventImplemented(app.get(), std::vector<Value>{Value(e)}).Boolean()) << e;
}

TEST_F(StartupTest, ExceptionInTheApplicationObjectStepsIsReportedOnceAndStopsStartUp) {
  for (const char* step : {"_NewAppInstance", "ZEFA.Constructor", "_x_SetVersionData", "Menu.Untitled2",
                           "Application.MenuBar"}) {
    SCOPED_TRACE(step);
    SetUp();
    zefa::testing::FailAtStep(step);
    GuardRunLoop();
    bool registered = true;
    zefa::testing::SetMessageBoxWatcher([&](const std::string& t) {
      boxes.push_back(t);
      registered = App() != nullptr;
    });
    EXPECT_NE(RunProgram(), 0);
    std::vector<std::string> steps = Steps();
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "_UnhandledException"), 1);
    ASSERT_GE(steps.size(), 3u);
    EXPECT_EQ(steps[steps.size() - 3], "_UnhandledException");
    EXPECT_EQ(steps[steps.size() - 2], "RuntimePerformFinalizers");
    EXPECT_EQ(steps[steps.size() - 1], "RuntimeExit");
    for (const char* later : {"_RuntimeRegisterAppObject", "_ApplicationAddMenuHandlers",
                              "_RunFrameworkInitialization", "_LateStartup", "_RuntimeRun"})
      EXPECT_FALSE(Ran(later)) << later;
    EXPECT_FALSE(registered);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("injected failure at " + std::string(step)), std::string::npos) << boxes[0];
    EXPECT_EQ(WindowCount(), 0);
    TearDown();
  }
}

TEST_F(StartupTest, ExceptionLeftByTheInitialiserPassSkipsTheWholeStartUp) {
  zefa::testing::FailAtStep("Menu._implicitInstance");
  GuardRunLoop();
  EXPECT_NE(RunProgram(), 0);
  EXPECT_EQ(Steps(), (std::vector<std::string>{"RuntimeInit", "RuntimePerformInitializers", "Menu._implicitInstance",
                                               "_Main", "_UnhandledException", "RuntimePerformFinalizers",
                                               "RuntimeExit"}));
}

TEST_F(StartupTest, LastChanceHandlerThatRaisesStillEndsThroughFinalisersAndExit) {
  zefa::testing::FailAtStep("_NewAppInstance");
  GuardRunLoop();
  zefa::testing::SetMessageBoxWatcher([](const std::string&) { Raise<RuntimeException>("the report itself failed"); });
  EXPECT_NE(RunProgram(), 0);
  std::vector<std::string> steps = Steps();
  ASSERT_GE(steps.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(steps.end() - 3, steps.end()),
            (std::vector<std::string>{"_UnhandledException", "RuntimePerformFinalizers", "RuntimeExit"}));
}

// A handler raising what is no runtime exception, reached the way the toolkit reaches every
// handler (here a timer's Action): one line on standard error, the message box, status 1.
TEST_F(StartupTest, AnExceptionOfAnyTypeFromAHandlerIsReportedAndEndsWithOne) {
  static int kind = 0;
  Method raises = [](Object*, Args) -> Value {
    if (kind == 0) throw std::bad_alloc();
    if (kind == 1) throw std::runtime_error("disk on fire");
    throw 7;
  };
  for (kind = 0; kind < 3; ++kind) {
    SCOPED_TRACE(kind);
    SetUp();
    GuardRunLoop();
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
    EXPECT_EQ(boxes.size(), 1u);
    timer.reset();
    TearDown();
  }
}
