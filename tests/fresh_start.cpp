#include "fresh_start.h"

#include <stdlib.h>

#include <QApplication>
#include <QTimer>
#include <filesystem>

#include "framework/gui/application.h"
#include "framework/gui/window.h"
#include "seams.h"

void FreshStart::SetUp() {
  bool quitAsked = zefa::RequestedQuit().has_value();
  zefa::ResetProcessState();  // no windows, no application object, nothing kept, the seams at rest
  if (quitAsked) {
    // A quit asked for outside a run loop leaves Qt refusing to run any loop (a modal box would
    // return at once); only a run of the application's loop clears that.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
  }
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
int FreshStart::Beeps() { return zefa::testing::BeepCount(); }
