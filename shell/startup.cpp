#include "shell/startup.h"

#include "calculator/calc_window.h"
#include "framework/application.h"
#include "framework/exceptions.h"

namespace zefa {

int32_t RunProgram() {
  RuntimeInit();
  RuntimePerformInitializers();
  try {
    _RunFrameworkInitialization([](Object*, Args) -> Value {
      Ref<Window> w = Calc::Calc();
      CallSlot(w.get(), Window::kShow);
      return {};
    });
    _RuntimeRun();
  } catch (const RuntimeError& e) {
    _UnhandledException(e.Exception());
  }
  RuntimePerformFinalizers();
  return RuntimeExit();
}

}  // namespace zefa
