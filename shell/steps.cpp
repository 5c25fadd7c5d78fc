#include "shell/steps.h"

#include "framework/runtime/observer.h"

namespace zefa::shell {

void Step(std::string_view name) {
  if (Observer* o = InstalledObserver()) o->Step(name);
}

}  // namespace zefa::shell
