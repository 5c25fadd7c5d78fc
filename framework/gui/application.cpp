#include "framework/gui/application.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include "framework/gui/canvas.h"
#include "framework/gui/desktop_session.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/label.h"
#include "framework/gui/menu.h"
#include "framework/gui/picture.h"
#include "framework/gui/private/process_state.h"
#include "framework/gui/push_button.h"
#include "framework/gui/text_area.h"
#include "framework/gui/timer.h"
#include "framework/gui/window.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/observer.h"
#include "framework/runtime/ui_thread.h"

namespace zefa {
namespace {

// Forwards the desktop's theme and palette changes as the two appearance notifications.
class AppearanceFollower : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == QCoreApplication::instance()) {
      if (e->type() == QEvent::ThemeChange) DeliverAppearanceNotification(kThemeChangedNotification);
      if (e->type() == QEvent::ApplicationPaletteChange) DeliverAppearanceNotification(kColorsChangedNotification);
    }
    return false;
  }
};

// The run's part of the framework's process state.
ProcessState& R() { return Process(); }

// Tells the observer, if a test installed one, that a step of start-up or its end runs.
void Step(std::string_view name) {
  if (Observer* o = InstalledObserver()) o->Step(name);
}

// Qt keeps references to these for the life of the application.
int g_argc = 1;
char g_arg0[] = "zefa";
char* g_argv[] = {g_arg0, nullptr};

Application& A(Object* self) { return CheckedAs<Application>(self); }
Object* MakeApplication(const ClassRecord& cls) { return new Application(cls); }
[[noreturn]] void NotAvailable(const char* op) {
  Raise<FunctionNotFoundException>(std::string("Application.") + op + " is not available in this framework");
}
Value Nothing(Object* self, Args) {
  A(self);
  return {};
}

std::string SystemAppearance() {
  QPalette p = QApplication::palette();
  return p.color(QPalette::Window).lightness() < 128 ? "dark" : "light";
}

using enum Application::Slot;  // the rows name their slots as the enum does

// Application's class table in slot order; the compiler holds the rows to the Slot enum.
constexpr OperationRow kOperations[] = {
    ZEFA_OPERATION(AddTrayItem, "(TrayItem)", [](Object*, Args) -> Value { NotAvailable("AddTrayItem"); }),
    ZEFA_OPERATION(DoEvents, "(Integer)", [](Object* self, Args) -> Value {
      A(self);
      CheckUIThread();
      QCoreApplication::processEvents();
      return {};
    }),
    ZEFA_OPERATION(HideTooltip, "()", [](Object*, Args) -> Value { NotAvailable("HideTooltip"); }),
    ZEFA_OPERATION(NewDocument, "()", [](Object*, Args) -> Value { NotAvailable("NewDocument"); }),
    ZEFA_OPERATION(OpenDocument, "(FolderItem)", [](Object*, Args) -> Value { NotAvailable("OpenDocument"); }),
    ZEFA_OPERATION(RefreshMenuBar, "()", Nothing),
    ZEFA_OPERATION(RemoveTrayItem, "(TrayItem)", [](Object*, Args) -> Value { NotAvailable("RemoveTrayItem"); }),
    ZEFA_OPERATION(ShowTooltip, "(String, Integer, Integer, Boolean)", [](Object*, Args) -> Value { NotAvailable("ShowTooltip"); }),
    ZEFA_OPERATION(SleepCurrentThread, "(Integer)", [](Object* self, Args a) -> Value {
      A(self);
      std::this_thread::sleep_for(std::chrono::milliseconds(std::clamp<int64_t>(a[0].Integer(), 0, 60000)));
      return {};
    }),
    ZEFA_OPERATION(Window, "(Integer) as Window", [](Object* self, Args a) -> Value {
      A(self);
      return WindowAt(a[0].Integer());
    }),
    ZEFA_OPERATION(WindowCount, "() as Integer", [](Object* self, Args) -> Value {
      A(self);
      return WindowCount();
    }),
    ZEFA_OPERATION(YieldToNextThread, "()", [](Object* self, Args) -> Value {
      A(self);
      std::this_thread::yield();
      return {};
    }),
    ZEFA_OPERATION(_AddMenuHandler, "(String, Ptr)", [](Object*, Args) -> Value { NotAvailable("_AddMenuHandler"); }),
    ZEFA_OPERATION(_AddPollableObject, "(Object)", [](Object*, Args) -> Value { NotAvailable("_AddPollableObject"); }),
    ZEFA_OPERATION(_DependencyList, "()", Nothing),
    ZEFA_OPERATION(_DoSingleEvent, "()", [](Object* self, Args) -> Value {
      A(self);
      CheckUIThread();
      QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
      return {};
    }),
    ZEFA_OPERATION(_RemovePollableObject, "(Object)", [](Object*, Args) -> Value { NotAvailable("_RemovePollableObject"); }),
    ZEFA_OPERATION(_x_SetVersionData, "(Integer, Integer, Integer, Integer, Integer, String, String, String)",
                   [](Object* self, Args a) -> Value {
                     A(self)._x_SetVersionData(a[0].Integer(), a[1].Integer(), a[2].Integer(), a[3].Integer(),
                                               a[4].Integer(), a[5].String(), a[6].String(), a[7].String());
                     return {};
                   }),
};
static_assert(InSlotOrder(kOperations, 0, Application::kSlotCount));

}  // namespace

const ClassRecord& Application::Class() {
  static constexpr EventRow kEvents[] = {
      ZEFA_EVENT(Activate), ZEFA_EVENT(AppearanceChanged), ZEFA_EVENT(CancelClose), ZEFA_EVENT(Close),
      ZEFA_EVENT(Deactivate), ZEFA_EVENT(EnableMenuItems), ZEFA_EVENT(HandleAppleEvent),
      ZEFA_EVENT_NAMED(NewDocumentEvent, "NewDocument"), ZEFA_EVENT(Open),
      ZEFA_EVENT_NAMED(OpenDocumentEvent, "OpenDocument"), ZEFA_EVENT(UnhandledException),
  };
  static_assert(InEventOrder(kEvents, 0, kEventCount));
  static ClassOnce once;
  return BuildClassOnce(once, "Application", nullptr, [](ClassRecord& rec) {
    rec.factory = MakeApplication;
    rec.AddOperations(kOperations);
    rec.AddEvents(kEvents);
    rec.interfaces.push_back({"_MacOSDistributedNotifications.iNotify", {&Application::MacOSNotificationReceived}});
    rec.AddTableToMethodList();
    rec.methods.push_back({"_MacOSNotificationReceived", "(String)", &Application::MacOSNotificationReceived, {}});
  });
}

void Application::_x_SetVersionData(int64_t major, int64_t minor, int64_t bug, int64_t nonRelease, int64_t stage,
                                    std::string longVersion, std::string shortVersion, std::string packageInfo) {
  _x_mMajorVersion = major;
  _x_mMinorVersion = minor;
  _x_mBugVersion = bug;
  _x_mNonReleaseVersion = nonRelease;
  _x_mStageCode = stage;
  _x_mLongVersion = std::move(longVersion);
  _x_mShortVersion = std::move(shortVersion);
  _x_mPackageInfo = std::move(packageInfo);
}

void Application::SetMenuBar(Ref<MenuItem> bar, int64_t) {
  CheckUIThread();
  if (bar) CallSlot(bar.get(), MenuItem::k_DependencyList);
  menuBar_ = std::move(bar);
}

Value Application::MacOSNotificationReceived(Object* self, Args args) {
  Application& app = A(self);
  const std::string& name = args.empty() ? std::string() : args[0].String();
  if (name != kThemeChangedNotification && name != kColorsChangedNotification) return {};
  std::string before = R().appearance;
  R().appearance = SystemAppearance();
  int n = app.RuntimeClass().EventNumber("AppearanceChanged");
  try {
    RaiseWindowEvent(app, n);
  } catch (...) {
    R().appearance = before;
    throw;
  }
  R().appearance = before;
  return {};
}

void Application::SetSupportsHiDPI(bool on) {
  Step("_SetSupportsHiDPI");
  R().hiDpi = on;
}

void DeliverAppearanceNotification(const std::string& name) {
  Ref<Application> app = R().app;
  if (!app) return;
  for (const InterfaceEntry& i : app->RuntimeClass().interfaces)
    if (i.name == "_MacOSDistributedNotifications.iNotify" && !i.methods.empty())
      DeliverFromToolkit([&] { i.methods[0](app.get(), std::vector<Value>{Value(name)}); });
}

void RuntimeRegisterInitializers(std::span<const Initializer> table) {
  R().programInitializers.assign(table.begin(), table.end());
}

void RuntimeInit() {
  Step("RuntimeInit");
  CheckUIThread();
}

void RuntimePerformInitializers() {
  Step("RuntimePerformInitializers");
  // The framework's classes first, the program's own after them.
  RuntimeException::Class();
  Delegate::Class();
  Window::Class();
  Canvas::Class();
  Label::Class();
  TextArea::Class();
  PushButton::Class();
  Timer::Class();
  Picture::Class();
  MenuItem::Class();
  MenuBar::Class();
  Application::Class();
  for (Initializer init : R().programInitializers) init();
}

void RuntimePerformFinalizers() {
  Step("RuntimePerformFinalizers");
  ReleaseAllWindows();
  R().app.reset();
  R().follower.reset();
  R().qapp.reset();
}

int32_t RuntimeExit() {
  Step("RuntimeExit");
  if (R().unhandled) return 1;
  return R().quitCode.value_or(0);
}

void RuntimeSetExceptionHelper(Method entry) {
  Step("_RuntimeSetExceptionHelper");
  R().exceptionHelper = entry;
}
Method RuntimeExceptionHelper() { return R().exceptionHelper; }

void RuntimeFrameworkVersion(double stamp) {
  Step("RuntimeFrameworkVersion");
  R().versionStamp = stamp;
}
double RuntimeFrameworkVersionStamp() { return R().versionStamp; }

void RuntimeInitExternalClasses() {
  Step("_RuntimeInitExternalClasses");
  BooleanBox::Class();
  IntegerBox::Class();
  DoubleBox::Class();
  StringBox::Class();
  PtrBox::Class();
  FunctionNotFoundException::Class();
  IllegalCastException::Class();
  NilObjectException::Class();
  OutOfBoundsException::Class();
  StackOverflowException::Class();
  TypeMismatchException::Class();
  UnsupportedFormatException::Class();
  // Built here so that its first raise, on a worker thread, builds nothing there.
  ThreadAccessingUIException::Class();
  MessageDialog::Class();
  WeakRef::Class();
}

void InitPluginEntrypoints() { Step("_InitPluginEntrypoints"); }

void RuntimeRegisterAppObject(Ref<Object> app) {
  Step("_RuntimeRegisterAppObject");
  Ref<Application> checked = CheckCast<Application>(app);
  if (!checked) RaiseNilObjectException();
  R().app = checked;
}

Ref<Application> App() { return R().app; }

void RunFrameworkInitialization(Method lateStartup) {
  Step("_RunFrameworkInitialization");
  CheckUIThread();
  if (!QApplication::instance()) {
    // Qt would abort on a display it cannot open; the run ends with one line and status 1 instead.
    if (std::optional<std::string> why = UnusableDisplay()) {
      std::fprintf(stderr, "zefa: %s\n", why->c_str());
      R().quitCode = 1;
      return;
    }
    LeaveOutSilentDesktopServices();
    if (R().hiDpi) QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    R().qapp = std::make_unique<QApplication>(g_argc, g_argv);
  }
  QApplication::setQuitOnLastWindowClosed(false);
  R().appearance = SystemAppearance();
  R().follower = std::make_unique<AppearanceFollower>();
  QCoreApplication::instance()->installEventFilter(R().follower.get());
  if (!lateStartup) RaiseNilObjectException();
  lateStartup(nullptr, {});
}

void RuntimeRun() {
  Step("_RuntimeRun");
  if (QCoreApplication::instance() && !R().quitCode && !R().pending) QApplication::exec();
  if (Ref<Object> e = TakePendingException()) throw RuntimeError(e);
}

void UnhandledException(const Ref<Object>& exception) {
  Step("_UnhandledException");
  R().unhandled = true;
  std::string cls = exception ? exception->RuntimeClass().name : "nil";
  std::string msg;
  if (auto* e = AsOrNull<RuntimeException>(exception.get())) msg = e->Message();
  std::fprintf(stderr, "zefa: unhandled %s: %s\n", cls.c_str(), msg.c_str());
  if (GuiIsUp()) MsgBox("An unexpected error ended the program: " + cls + (msg.empty() ? "" : ": " + msg));
}

Value CallFunctionWithExceptionHandling(Object*, Args args) {
  const auto* entry = static_cast<const Method*>(args.size() > 0 ? args[0].Pointer() : nullptr);
  const void* arg = args.size() > 1 ? args[1].Pointer() : nullptr;
  try {
    Ref<Delegate> d = RuntimeCreateDelegate(Delegate::Invoke, entry ? *entry : nullptr, nullptr, "( Ptr )", 0);
    if (!d) RaiseNilObjectException();
    d->Call(std::vector<Value>{Value(arg)});
  } catch (const RuntimeError& e) {
    if (e.IsA(RuntimeException::Class())) return e.Exception();
    throw;
  }
  return {};
}

void Quit(int code) {
  Step("Quit");
  R().quitCode = code;
  if (QCoreApplication::instance()) QCoreApplication::exit(code);
}

std::optional<int> RequestedQuit() { return R().quitCode; }

bool GuiIsUp() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

void RequireGui() {
  if (!GuiIsUp()) Raise<RuntimeException>("the user interface has not been initialised");
}

void DeliverFromToolkit(const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    // Whatever its type: none may pass through the toolkit, and none may be lost.
    if (!R().pending) R().pending = CurrentExceptionObject();
  }
  if (R().pending && QCoreApplication::instance()) QCoreApplication::exit(1);
}

Ref<Object> TakePendingException() {
  Ref<Object> e = R().pending;
  R().pending.reset();
  return e;
}

MenuItem* ApplicationMenuBar() { return R().app ? R().app->MenuBar().get() : nullptr; }

}  // namespace zefa
