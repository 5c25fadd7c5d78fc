#pragma once
// Everything the framework keeps for the whole process, in one owner, so that one call
// (ResetProcessState) forgets all of it as at process start. Private to framework/gui.
#include <QApplication>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "framework/gui/application.h"
#include "framework/gui/picture.h"
#include "framework/gui/window.h"

namespace zefa {

struct ProcessState {
  // Qt's own objects first, so that they go last.
  std::unique_ptr<QApplication> qapp;  // null when the Qt application is not ours (tests)
  std::unique_ptr<QObject> follower;   // forwards the desktop's appearance changes
  std::vector<Initializer> programInitializers;
  Ref<Application> app;
  Ref<Object> pending;  // an exception that ended the run loop
  std::optional<int> quitCode;
  bool unhandled = false;
  bool hiDpi = false;
  double versionStamp = 0;
  Method exceptionHelper = nullptr;
  std::string appearance;  // the drawing appearance, "light" or "dark"
  // The pictures of the resources folder by file name; a name is present once it was asked for,
  // and holds nil until a load finds a picture.
  std::map<std::string, Ref<Picture>, std::less<>> pictures;
  std::set<std::string, std::less<>> unusablePictures;  // reported once each on standard error
  // Every constructed window that is not released yet, in the order they were built.
  std::vector<Ref<Window>> windows;
  // How the layers above forget what they keep for the process (an implicit instance).
  std::vector<std::function<void()>> forgets;
};

// Never destroyed: Qt ends the process with exit() when its display goes away, and no Qt object
// may be destroyed inside the exit handlers. The finaliser pass releases what it holds.
ProcessState& Process();

}  // namespace zefa
