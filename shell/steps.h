#pragma once
// The program's own start-up steps, as the framework's trace records them.
#include <string>
#include <string_view>

namespace zefa::shell {

// Records the step in the start-up trace; raises instead when a test asked this step to fail.
void Step(std::string_view name);

// Test seam: from now on the named step raises a RuntimeException (an empty name: none does).
void FailAtStepForTesting(std::string name);

}  // namespace zefa::shell
