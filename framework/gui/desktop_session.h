#pragma once
// What the toolkit needs of the desktop session, settled before it starts.
#include <optional>
#include <string>

namespace zefa {

// With no session bus, libdbus would start a helper program to look for one; the program starts
// no other process, so the toolkit is handed a bus address that fails at once instead. A session
// bus that exists is left to the toolkit (screen readers reach the program through it).
void KeepSessionBusFromStartingHelpers();

// Why the X display that the toolkit is about to open cannot be opened, in one line; nothing
// when it can, or when the toolkit runs on another platform (the offscreen one of the tests).
std::optional<std::string> UnreachableDisplay();

}  // namespace zefa
