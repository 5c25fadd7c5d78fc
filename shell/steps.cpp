#include "shell/steps.h"

#include "framework/testing.h"

namespace zefa::shell {

void Step(std::string_view name) { testing::TraceStep(name); }

}  // namespace zefa::shell
