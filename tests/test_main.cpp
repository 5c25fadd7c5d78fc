// One QApplication on the offscreen platform for every test; message boxes close themselves so
// that a test never hangs on a modal dialog.
#include <gtest/gtest.h>

#include <QApplication>

#include "framework/testing.h"

int main(int argc, char** argv) {
  // Some tests give the offscreen platform a screen of their own (offscreen:configfile=...).
  if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith("offscreen")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  zefa::testing::SetAutoDismissMessageBoxes(true);
  return RUN_ALL_TESTS();
}
