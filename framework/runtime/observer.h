#pragma once
// The one hook through which a test watches and steers the program. The program installs none:
// each place a test watches costs one test of a null pointer.
#include <string>
#include <string_view>

namespace zefa {

class Observer {
 public:
  virtual ~Observer() = default;
  // A start-up step is about to run; raising here makes that step fail.
  virtual void Step(std::string_view name) = 0;
  virtual void Beep() = 0;
  // A message box with this text is up; true closes it at once, so no user need answer it.
  virtual bool MessageBoxShown(const std::string& text) = 0;
  virtual void PictureLookedUp(std::string_view fileName) = 0;
  virtual void ShortcutSet(std::string_view itemName) = 0;
  // The folder to read the pictures from; empty: the resources folder beside the program.
  virtual std::string ResourcesFolder() = 0;
};

Observer* InstalledObserver();
void InstallObserver(Observer* observer);  // null: nobody watches

}  // namespace zefa
