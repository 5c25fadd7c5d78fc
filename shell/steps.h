#pragma once
// The program's own start-up steps, as the framework's trace records them.
#include <string_view>

namespace zefa::shell {

// Records the step in the start-up trace; raises instead when a test asked this step to fail
// (testing::FailAtStep).
void Step(std::string_view name);

}  // namespace zefa::shell
