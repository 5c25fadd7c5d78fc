#pragma once
// Seams through which tests watch what the framework does for the program: beeps, message
// boxes, picture lookups and the steps of start-up. They cost nothing when nobody watches.
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
bool AutoDismissMessageBoxes();
void NoteMessageBox(const std::string& text);

// File names looked up by the picture loader, in order.
const std::vector<std::string>& PictureLookups();
void NotePictureLookup(std::string_view name);
void ClearPictureLookups();
const std::string& ResourceDirOverride();
void SetResourceDir(std::string dir);  // empty: the resources folder beside the program

// Start-up steps, recorded while tracing is on.
void SetTracing(bool on);
void TraceStep(std::string_view step);
const std::vector<std::string>& Trace();
void ClearTrace();

}  // namespace zefa::testing
