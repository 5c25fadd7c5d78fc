#pragma once
// Prints every Layout record the program holds: name, TAB, byte length, TAB, lowercase hex.
#include <cstdio>
#include <string>
#include <string_view>

#include "calculator/calc_records.h"
#include "shell/about_records.h"

namespace zefa {

inline void PrintRecord(std::string_view name, const std::string& bytes) {
  static const char* hex = "0123456789abcdef";
  std::string line(name);
  line += '\t' + std::to_string(bytes.size()) + '\t';
  for (unsigned char c : bytes) {
    line += hex[c >> 4];
    line += hex[c & 15];
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
}

inline void PrintRecords() {
  PrintRecord("Calc", Calc::CalcWindowRecord());
  for (const ControlRow& entry : Calc::ControlRows())
    PrintRecord("Calc." + std::string(entry.name), entry.record());
  PrintRecord("AboutWindow", AboutWindow::AboutWindowRecord());
  for (const ControlRow& entry : AboutWindow::ControlRows())
    PrintRecord("AboutWindow." + std::string(entry.name), entry.record());
}

}  // namespace zefa
