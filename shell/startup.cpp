#include "shell/startup.h"

#include <exception>
#include <utility>
#include <vector>

#include "calculator/calc_window.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"
#include "shell/about_window.h"
#include "shell/app_object.h"
#include "shell/menu_bar.h"
#include "shell/steps.h"

namespace zefa {
namespace {

// An exception that set-up or the initialiser pass left for Main to find.
Ref<Object>& PendingAtStart() {
  static Ref<Object> pending;
  return pending;
}

// Runs one step of RunProgram, which tests for nothing: a failure is kept for Main.
template <class F>
void KeepPending(F&& step) {
  try {
    step();
  } catch (...) {
    if (!PendingAtStart()) PendingAtStart() = CurrentExceptionObject();
  }
}

// The start-up delegates that the last-chance path still holds go last, after the report, and
// the trace shows when.
void ReleaseDelegates(Ref<Delegate>& guarded, Ref<Delegate>& late) {
  if (!guarded && !late) return;
  shell::Step("_Main.ReleaseDelegates");
  guarded.reset();
  late.reset();
}

// The late start-up entry in the framework's call shape.
Value LateStartupEntry(Object*, Args) {
  LateStartup();
  return {};
}

constexpr Initializer kInitializers[] = {
    [] { AboutWindow::_wrapper_Timer1::Class(); },
    [] { AboutWindow::Class(); },
    [] { Calc::Class(); },
    Menu::_implicitInstanceInit,
    [] { Menu::Class(); },
    [] { ZEFA::Class(); },
};

}  // namespace

std::span<const Initializer> InitializerTable() { return kInitializers; }

int32_t RunProgram() {
  KeepPending(RuntimeInit);
  RuntimeRegisterInitializers(InitializerTable());
  KeepPending(RuntimePerformInitializers);
  try {
    Main();
  } catch (...) {
    // The last-chance handler raised in turn; the run still ends through the finalisers.
  }
  RuntimePerformFinalizers();
  return RuntimeExit();
}

void Main() {
  Ref<Delegate> guarded, late;
  Ref<Object> exception;
  try {
    shell::Step("_Main");
    if (Ref<Object> pending = std::exchange(PendingAtStart(), nullptr)) throw RuntimeError(pending);
    guarded = RuntimeCreateDelegate(Delegate::Invoke, CallFunctionWithExceptionHandling, nullptr,
                                    "( Ptr, Ptr ) as Object", 0);
    RuntimeSetExceptionHelper(guarded ? guarded->FunctionEntry() : nullptr);
    guarded.reset();
    RuntimeFrameworkVersion(kFrameworkVersionStamp);
    EarlyStartup();
    late = RuntimeCreateDelegate(Delegate::Invoke, LateStartupEntry, nullptr, "(  )", 0);
    RunFrameworkInitialization(late ? late->FunctionEntry() : nullptr);
    late.reset();
    RuntimeRun();
    return;
  } catch (...) {
    exception = CurrentExceptionObject();  // of any type, so that it is reported and the status is 1
  }
  UnhandledException(exception);  // one that raises in turn leaves the delegates to their holders
  ReleaseDelegates(guarded, late);
}

void EarlyStartup() {
  shell::Step("_EarlyStartup");
  Application::SetSupportsHiDPI(true);
  RuntimeInitExternalClasses();
  InitPluginEntrypoints();
  InitFileTypes();
  NewAppInstance();
  ApplicationAddMenuHandlers();
}

// The program declares no file types.
void InitFileTypes() { shell::Step("_InitFileTypes"); }

void NewAppInstance() {
  shell::Step("_NewAppInstance");
  Ref<Object> app = RuntimeNewObject(ZEFA::Class());
  if (!app) RaiseNilObjectException();  // before its first use, and so before the version data and the menu bar
  CallSlot(app.get(), ZEFA::kConstructor);
  shell::Step("_x_SetVersionData");
  CallSlot(app.get(), Application::k_x_SetVersionData,
           std::vector<Value>{Value(3), Value(0), Value(0), Value(0), Value(3),
                              Value(std::string(Calc::kRightsNotice)), Value("3.0"), Value("ZEFA Calculation")});
  {
    Ref<MenuItem> bar = Menu::Menu();
    shell::Step("Application.MenuBar");
    CheckCast<Application>(app)->SetMenuBar(bar, 0);
  }
  // From here the framework holds the object; this function keeps no reference.
  RuntimeRegisterAppObject(app);
}

// The program installs no application-level menu handler.
void ApplicationAddMenuHandlers() { shell::Step("_ApplicationAddMenuHandlers"); }

void LateStartup() {
  shell::Step("_LateStartup");
  MakeDefaultView();
}

// Opens the splash window, visible by its layout; the calculator waits for the hand-over.
void MakeDefaultView() {
  shell::Step("_MakeDefaultView");
  Ref<Window> about = AboutWindow::AboutWindow();
}

}  // namespace zefa
