#pragma once
// Seams through which tests watch and steer what the framework and the layers above do: beeps,
// message boxes, picture lookups, menu shortcuts, the steps of start-up and the state a layer
// keeps for the whole process. They cost nothing when nobody watches; nothing but tests calls
// the setters.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zefa::testing {

int BeepCount();
void NoteBeep();

// Called with the text of every message box as it is shown; when auto-dismiss is on the box is
// closed as soon as it is up, so the modal call returns without a user.
void SetMessageBoxWatcher(std::function<void(const std::string&)> watcher);
void SetAutoDismissMessageBoxes(bool on);
// Records the box and tells its watchers; true when the box is to be closed as soon as it is up.
bool NoteMessageBox(const std::string& text);

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
void NotePictureLookup(std::string_view name);
void ClearPictureLookups();
const std::string& ResourceDirOverride();
void SetResourceDir(std::string dir);  // empty: the resources folder beside the program

// Names of the menu items whose shortcut was set, once per setting, in order.
const std::vector<std::string>& ShortcutCalls();
void NoteShortcutCall(std::string_view itemName);
void ClearShortcutCalls();

// Start-up steps, recorded while tracing is on. TraceStep raises a RuntimeException instead at
// the step a test asked to fail (an empty name: none fails).
void SetTracing(bool on);
void TraceStep(std::string_view step);
const std::vector<std::string>& Trace();
void ClearTrace();
void FailAtStep(std::string step);

// State that a layer keeps for the whole process (an implicit instance, cached pictures): the
// layer registers how to forget it, and ResetRegistered forgets all of it, as at process start.
void RegisterReset(std::function<void()> forget);
void ResetRegistered();

}  // namespace zefa::testing
