#pragma once
// Text and number conversions of the runtime. Texts are UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

namespace zefa {

// Skips leading blanks and reads the longest leading number (sign, digits, one decimal point,
// exponent), correctly rounded; no number gives 0, and the result is never NaN.
double Val(std::string_view text);
// With the empty format: a whole number as its plain decimal digits, otherwise the shortest
// text that reads back as the same double.
std::string Str(double value, std::string_view format = {});
// Halves are rounded away from zero.
double Round(double value);
double Sqrt(double value);
// Length in characters (code points), not bytes.
int64_t Len(std::string_view text);
std::string RuntimeAddString(std::string_view a, std::string_view b);

}  // namespace zefa
