// One QApplication on the offscreen platform for every test. Message boxes close themselves, so
// that no test waits for a user, and each one a test did not expect fails that test.
#include <gtest/gtest.h>

#include <QApplication>

#include "seams.h"

namespace {

struct MessageBoxCheck : ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { zefa::testing::ResetMessageBoxes(); }
  void OnTestEnd(const ::testing::TestInfo&) override {
    if (int n = zefa::testing::MessageBoxesExpected()) ADD_FAILURE() << n << " expected message box(es) never shown";
  }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();  // listing needs no display
  // Some tests give the offscreen platform a screen of their own (offscreen:configfile=...).
  if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith("offscreen")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  zefa::testing::Install();
  zefa::testing::SetUnexpectedMessageBoxHandler(
      [](const std::string& text) { ADD_FAILURE() << "unexpected message box: \"" << text << "\""; });
  ::testing::UnitTest::GetInstance()->listeners().Append(new MessageBoxCheck);
  return RUN_ALL_TESTS();
}
