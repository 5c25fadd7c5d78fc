#pragma once
// The fixture the tests start from: the process as at start-up (no windows, no application
// object, no quit requested, nothing a layer keeps, every seam at rest), with temporary folders
// of its own and a word for the message boxes a test expects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

class FreshStart : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A new empty folder, removed when the test ends.
  std::string TempDir();
  // The next n message boxes are expected (and closed); one more, or one fewer, fails the test.
  static void ExpectBoxes(int n);
  static const std::vector<std::string>& Boxes();  // the texts of the boxes shown so far
  static int Beeps();                             // the beeps since SetUp

 private:
  std::vector<std::string> tempDirs_;
};
