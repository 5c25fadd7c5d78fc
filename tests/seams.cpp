#include "seams.h"

#include <utility>

#include "framework/gui/application.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/observer.h"

namespace zefa::testing {
namespace {

// Bounded so that a long run never grows without end.
constexpr size_t kMaxRecorded = 10000;

struct Recorder final : Observer {
  // What ResetProcessState forgets.
  struct Recorded {
    int beeps = 0;
    std::function<void(const std::string&)> boxWatcher;
    bool autoDismiss = true;
    int boxesExpected = 0;
    std::vector<std::string> boxes;
    std::vector<std::string> lookups;
    std::string resourceDir;
    std::vector<std::string> shortcutCalls;
    bool tracing = false;
    std::vector<std::string> trace;
    std::string failingStep;
  } r;
  std::function<void(const std::string&)> unexpectedBox;  // the harness's, kept for the whole run

  void Step(std::string_view step) override {
    if (r.tracing) r.trace.emplace_back(step);
    if (!r.failingStep.empty() && step == r.failingStep)
      Raise<RuntimeException>("injected failure at " + std::string(step));
  }
  void Beep() override { ++r.beeps; }
  bool MessageBoxShown(const std::string& text) override {
    bool dismiss = r.autoDismiss;
    if (unexpectedBox) {
      if (r.boxes.size() < kMaxRecorded) r.boxes.push_back(text);
      if (r.boxesExpected > 0) {
        --r.boxesExpected;
      } else {
        dismiss = true;
        unexpectedBox(text);
      }
    }
    if (r.boxWatcher) r.boxWatcher(text);
    return dismiss;
  }
  void PictureLookedUp(std::string_view fileName) override {
    if (r.lookups.size() < kMaxRecorded) r.lookups.emplace_back(fileName);
  }
  void ShortcutSet(std::string_view itemName) override {
    if (r.shortcutCalls.size() < kMaxRecorded) r.shortcutCalls.emplace_back(itemName);
  }
  std::string ResourcesFolder() override { return r.resourceDir; }
};

// Never destroyed: the program may still report to it inside the exit handlers.
Recorder& S() {
  static Recorder& s = *new Recorder;
  return s;
}

}  // namespace

void Install() {
  if (InstalledObserver() == &S()) return;
  InstallObserver(&S());
  RegisterProcessReset([] { S().r = {}; });
}

int BeepCount() { return S().r.beeps; }

void SetMessageBoxWatcher(std::function<void(const std::string&)> watcher) { S().r.boxWatcher = std::move(watcher); }
void SetAutoDismissMessageBoxes(bool on) { S().r.autoDismiss = on; }

std::function<void(const std::string&)> SetUnexpectedMessageBoxHandler(std::function<void(const std::string&)> handler) {
  return std::exchange(S().unexpectedBox, std::move(handler));
}
void ExpectMessageBoxes(int count) { S().r.boxesExpected += count; }
int MessageBoxesExpected() { return S().r.boxesExpected; }
const std::vector<std::string>& MessageBoxes() { return S().r.boxes; }
void ResetMessageBoxes() {
  S().r.boxesExpected = 0;
  S().r.boxes.clear();
}

const std::vector<std::string>& PictureLookups() { return S().r.lookups; }
void SetResourceDir(std::string dir) { S().r.resourceDir = std::move(dir); }

const std::vector<std::string>& ShortcutCalls() { return S().r.shortcutCalls; }

void SetTracing(bool on) { S().r.tracing = on; }
const std::vector<std::string>& Trace() { return S().r.trace; }
void FailAtStep(std::string step) { S().r.failingStep = std::move(step); }

}  // namespace zefa::testing
