#include "framework/testing.h"

#include <utility>

#include "framework/runtime/exceptions.h"

namespace zefa::testing {
namespace {
struct State {
  int beeps = 0;
  std::function<void(const std::string&)> boxWatcher;
  bool autoDismiss = false;
  std::function<void(const std::string&)> unexpectedBox;
  int boxesExpected = 0;
  std::vector<std::string> boxes;
  std::vector<std::string> lookups;
  std::string resourceDir;
  std::vector<std::string> shortcutCalls;
  bool tracing = false;
  std::vector<std::string> trace;
  std::string failingStep;
  std::vector<std::function<void()>> resets;
};
State& S() {
  static State s;
  return s;
}
}  // namespace

int BeepCount() { return S().beeps; }
void NoteBeep() { ++S().beeps; }

void SetMessageBoxWatcher(std::function<void(const std::string&)> watcher) { S().boxWatcher = std::move(watcher); }
void SetAutoDismissMessageBoxes(bool on) { S().autoDismiss = on; }
bool NoteMessageBox(const std::string& text) {
  bool dismiss = S().autoDismiss;
  if (S().unexpectedBox) {
    if (S().boxes.size() < 10000) S().boxes.push_back(text);
    if (S().boxesExpected > 0) {
      --S().boxesExpected;
    } else {
      dismiss = true;
      S().unexpectedBox(text);
    }
  }
  if (S().boxWatcher) S().boxWatcher(text);
  return dismiss;
}

std::function<void(const std::string&)> SetUnexpectedMessageBoxHandler(std::function<void(const std::string&)> handler) {
  return std::exchange(S().unexpectedBox, std::move(handler));
}
void ExpectMessageBoxes(int count) { S().boxesExpected += count; }
int MessageBoxesExpected() { return S().boxesExpected; }
const std::vector<std::string>& MessageBoxes() { return S().boxes; }
void ResetMessageBoxes() {
  S().boxesExpected = 0;
  S().boxes.clear();
}

const std::vector<std::string>& PictureLookups() { return S().lookups; }
void NotePictureLookup(std::string_view name) {
  // Bounded so that a long run never grows without end.
  if (S().lookups.size() < 10000) S().lookups.emplace_back(name);
}
void ClearPictureLookups() { S().lookups.clear(); }
const std::string& ResourceDirOverride() { return S().resourceDir; }
void SetResourceDir(std::string dir) { S().resourceDir = std::move(dir); }

const std::vector<std::string>& ShortcutCalls() { return S().shortcutCalls; }
void NoteShortcutCall(std::string_view itemName) {
  if (S().shortcutCalls.size() < 10000) S().shortcutCalls.emplace_back(itemName);
}
void ClearShortcutCalls() { S().shortcutCalls.clear(); }

void SetTracing(bool on) { S().tracing = on; }
void TraceStep(std::string_view step) {
  if (S().tracing) S().trace.emplace_back(step);
  if (!S().failingStep.empty() && step == S().failingStep)
    Raise<RuntimeException>("injected failure at " + std::string(step));
}
const std::vector<std::string>& Trace() { return S().trace; }
void ClearTrace() { S().trace.clear(); }
void FailAtStep(std::string step) { S().failingStep = std::move(step); }

void RegisterReset(std::function<void()> forget) { S().resets.push_back(std::move(forget)); }
void ResetRegistered() {
  for (const auto& forget : S().resets) forget();
}

}  // namespace zefa::testing
