#pragma once
// The program's own start-up steps, as a test watching start-up sees them.
#include <string_view>

namespace zefa::shell {

// Tells the observer, if a test installed one, that the step runs; it may make the step fail.
void Step(std::string_view name);

}  // namespace zefa::shell
