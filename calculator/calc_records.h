#pragma once
// The calculator window's Layout records. The window's table of controls and handlers, declared
// in calc_window.h, is defined beside them.
#include <string>

#include "calculator/calc_window.h"

namespace zefa::Calc {

const std::string& CalcWindowRecord();

}  // namespace zefa::Calc
