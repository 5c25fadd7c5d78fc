#include "framework/runtime/text.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "framework/runtime/exceptions.h"

namespace zefa {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest prefix of s that is a number without sign: digits with at most one
// decimal point (at least one digit), then an optional exponent that has digits.
size_t NumberLength(std::string_view s) {
  size_t i = 0, digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && IsDigit(s[j])) {
      while (j < s.size() && IsDigit(s[j])) ++j;
      i = j;
    }
  }
  return i;
}

}  // namespace

double Val(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::string_view rest = text.substr(i);
  size_t n = NumberLength(rest);
  if (n == 0) return 0.0;
  double v = 0.0;
  auto [end, ec] = std::from_chars(rest.data(), rest.data() + n, v, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // Too large gives infinity, too small gives zero; from_chars leaves v untouched here.
    size_t e = rest.find_first_of("eE");
    bool tiny = e != std::string_view::npos && e + 1 < n && rest[e + 1] == '-';
    v = tiny ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (ec != std::errc() || end != rest.data() + n) {
    return 0.0;
  }
  return negative ? -v : v;
}

std::string Str(double value, std::string_view format) {
  if (!format.empty()) Raise<UnsupportedFormatException>("only the empty format is supported, not \"" + std::string(format) + "\"");
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";  // no "-0"
  char buf[64];
  if (value == std::trunc(value) && std::fabs(value) < 1e15) {
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 0);
    return std::string(buf, r.ptr);
  }
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, r.ptr);
}

double Round(double value) { return std::round(value); }

double Sqrt(double value) { return std::sqrt(value); }

int64_t Len(std::string_view text) {
  int64_t n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

std::string RuntimeAddString(std::string_view a, std::string_view b) {
  std::string s;
  s.reserve(a.size() + b.size());
  s.append(a).append(b);
  return s;
}

}  // namespace zefa
