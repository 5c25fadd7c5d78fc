#include "fresh_start.h"

#include <stdlib.h>

#include <QApplication>
#include <QTimer>
#include <filesystem>

#include "framework/gui/application.h"
#include "framework/gui/window.h"
#include "framework/testing.h"

int FreshStart::beepsAtStart_ = 0;

void FreshStart::SetUp() {
  zefa::RuntimePerformFinalizers();  // the windows and the application object
  if (zefa::RequestedQuit()) {
    // A quit asked for outside a run loop leaves Qt refusing to run any loop (a modal box would
    // return at once); only a run of the application's loop clears that.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
  }
  zefa::ResetQuitForTesting();
  zefa::testing::ResetRegistered();
  zefa::testing::SetResourceDir("");
  zefa::testing::ClearPictureLookups();
  zefa::testing::ClearShortcutCalls();
  zefa::testing::SetTracing(false);
  zefa::testing::ClearTrace();
  zefa::testing::FailAtStep("");
  zefa::testing::SetMessageBoxWatcher(nullptr);
  zefa::testing::SetAutoDismissMessageBoxes(true);
  beepsAtStart_ = zefa::testing::BeepCount();
}

void FreshStart::TearDown() {
  zefa::ReleaseAllWindows();
  zefa::testing::SetMessageBoxWatcher(nullptr);
  zefa::testing::FailAtStep("");
  for (const std::string& dir : tempDirs_) std::filesystem::remove_all(dir);
}

std::string FreshStart::TempDir() {
  std::string dir = (std::filesystem::temp_directory_path() / "zefa-test-XXXXXX").string();
  if (!mkdtemp(dir.data())) ADD_FAILURE() << "no temporary folder";
  tempDirs_.push_back(dir);
  return dir;
}

void FreshStart::ExpectBoxes(int n) { zefa::testing::ExpectMessageBoxes(n); }
const std::vector<std::string>& FreshStart::Boxes() { return zefa::testing::MessageBoxes(); }
int FreshStart::Beeps() { return zefa::testing::BeepCount() - beepsAtStart_; }
