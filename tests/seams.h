#pragma once
// The tests' side of the framework's observer: what the program did (beeps, message boxes,
// picture lookups, menu shortcuts, the steps of start-up) and what a test asks of it (a failing
// step, another resources folder, boxes closed at once). Install() puts it in place; the
// framework's ResetProcessState forgets what it recorded, as at process start.
#include <functional>
#include <string>
#include <vector>

namespace zefa::testing {

void Install();

int BeepCount();

// Called with the text of every message box as it is shown; when auto-dismiss is on the box is
// closed as soon as it is up, so the modal call returns without a user.
void SetMessageBoxWatcher(std::function<void(const std::string&)> watcher);
void SetAutoDismissMessageBoxes(bool on);

// The boxes a test expects. Once a harness has set the handler (the one it replaces comes back),
// every box shown is recorded and counted against the expectation; one beyond it goes to the
// handler, which fails the test, and is closed at once, so that it never waits for a user.
std::function<void(const std::string&)> SetUnexpectedMessageBoxHandler(std::function<void(const std::string&)> handler);
void ExpectMessageBoxes(int count);  // that many more boxes may be shown
int MessageBoxesExpected();          // expected and not shown yet
const std::vector<std::string>& MessageBoxes();  // the texts of the boxes shown, in order
void ResetMessageBoxes();            // forgets the texts and the expectation

// File names looked up by the picture loader, in order.
const std::vector<std::string>& PictureLookups();
void SetResourceDir(std::string dir);  // empty: the resources folder beside the program

// Names of the menu items whose shortcut was set, once per setting, in order.
const std::vector<std::string>& ShortcutCalls();

// Start-up steps, recorded while tracing is on. The step a test asked to fail raises a
// RuntimeException instead (an empty name: none fails).
void SetTracing(bool on);
const std::vector<std::string>& Trace();
void FailAtStep(std::string step);

}  // namespace zefa::testing
