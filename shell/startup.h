#pragma once
#include <cstdint>

namespace zefa {
// The whole run: runtime set-up, initialisers, start-up driver, finalisers, exit status.
int32_t RunProgram();
}  // namespace zefa
