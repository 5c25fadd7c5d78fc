#pragma once
// What the toolkit needs of the desktop session, settled before it starts.
#include <optional>
#include <string>

namespace zefa {

// Settles the desktop services the toolkit would connect to, so that start-up never waits on
// another process without bound: each one that does not answer within a short bound is left out
// for this run, with one line on standard error. With no session bus, libdbus would start a helper
// program to look for one; the program starts no other process, so the toolkit is handed a bus
// address that fails at once instead. The session manager is always left out: the program keeps
// no state for it to save.
void LeaveOutSilentDesktopServices();

// Asks the toolkit for X unless QT_QPA_PLATFORM names another platform (a Wayland session runs the
// program through its X server), and says in one line why the program cannot use that display:
// none to open, or a screen of fewer than 15 bits. Nothing when it can, or when the toolkit runs
// on another platform (the offscreen one of the tests).
std::optional<std::string> UnusableDisplay();

}  // namespace zefa
