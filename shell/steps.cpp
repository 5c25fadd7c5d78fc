#include "shell/steps.h"

#include "framework/runtime/exceptions.h"
#include "framework/testing.h"

namespace zefa::shell {
namespace {
std::string& FailingStep() {
  static std::string name;
  return name;
}
}  // namespace

void Step(std::string_view name) {
  testing::TraceStep(name);
  if (!FailingStep().empty() && name == FailingStep())
    Raise<RuntimeException>("injected failure at " + std::string(name));
}

void FailAtStepForTesting(std::string name) { FailingStep() = std::move(name); }

}  // namespace zefa::shell
