#pragma once
// The application object, the run loop and the runtime's start and end.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "framework/gui/menu.h"
#include "framework/runtime/class_record.h"

namespace zefa {



class Application : public Object {
 public:
  enum Slot {
    kAddTrayItem, kDoEvents, kHideTooltip, kNewDocument, kOpenDocument, kRefreshMenuBar, kRemoveTrayItem,
    kShowTooltip, kSleepCurrentThread, kWindow, kWindowCount, kYieldToNextThread, k_AddMenuHandler,
    k_AddPollableObject, k_DependencyList, k_DoSingleEvent, k_RemovePollableObject, k_x_SetVersionData, kSlotCount
  };
  // Event numbers of Application's event list; two are spelt apart from the slots of their names.
  enum Event {
    kActivate, kAppearanceChanged, kCancelClose, kClose, kDeactivate, kEnableMenuItems, kHandleAppleEvent,
    kNewDocumentEvent, kOpen, kOpenDocumentEvent, kUnhandledException, kEventCount
  };
  static const ClassRecord& Class();
  explicit Application(const ClassRecord& cls) : Object(cls) {}

  // Stores five numbers and three texts in the hidden version fields. The `_x_` names of the
  // operation and the fields are the ones the runtime stores.
  void _x_SetVersionData(int64_t major, int64_t minor, int64_t bug, int64_t nonRelease, int64_t stage,
                         std::string longVersion, std::string shortVersion, std::string packageInfo);
  void SetMenuBar(Ref<MenuItem> bar, int64_t extra = 0);
  const Ref<MenuItem>& MenuBar() const { return menuBar_; }

  // The framework's version getters.
  int64_t MajorVersion() const { return _x_mMajorVersion; }
  int64_t MinorVersion() const { return _x_mMinorVersion; }
  int64_t BugVersion() const { return _x_mBugVersion; }
  int64_t NonReleaseVersion() const { return _x_mNonReleaseVersion; }
  int64_t StageCode() const { return _x_mStageCode; }
  int64_t RegionCode() const { return _x_mRegionCode; }
  const std::string& LongVersion() const { return _x_mLongVersion; }
  const std::string& Copyright() const { return _x_mLongVersion; }
  const std::string& ShortVersion() const { return _x_mShortVersion; }
  const std::string& Version() const { return _x_mShortVersion; }
  const std::string& PackageInfo() const { return _x_mPackageInfo; }
  const std::string& Description() const { return _x_mPackageInfo; }

  // Receives the desktop's appearance notifications on the application's behalf.
  static Value MacOSNotificationReceived(Object* self, Args args);
  static void SetSupportsHiDPI(bool on);

  int64_t _x_mMajorVersion = 0, _x_mMinorVersion = 0, _x_mBugVersion = 0, _x_mNonReleaseVersion = 0;
  int64_t _x_mStageCode = 0, _x_mRegionCode = 0;
  std::string _x_mLongVersion, _x_mShortVersion, _x_mPackageInfo;

 private:
  Ref<MenuItem> menuBar_;
};

// The appearance notifications the framework follows for the application object.
inline constexpr const char* kThemeChangedNotification = "AppleInterfaceThemeChangedNotification";
inline constexpr const char* kColorsChangedNotification = "AppleColorPreferencesChangedNotification";
void DeliverAppearanceNotification(const std::string& name);

using Initializer = void (*)();
// The program's own initialiser table, run by the initialiser pass after the framework's.
void RuntimeRegisterInitializers(std::span<const Initializer> table);

void RuntimeInit();
void RuntimePerformInitializers();
void RuntimePerformFinalizers();
int32_t RuntimeExit();
void RuntimeSetExceptionHelper(Method entry);
Method RuntimeExceptionHelper();
void RuntimeFrameworkVersion(double stamp);
double RuntimeFrameworkVersionStamp();
void RuntimeInitExternalClasses();
void InitPluginEntrypoints();
void RuntimeRegisterAppObject(Ref<Object> app);
Ref<Application> App();
// Creates the Qt application, then calls the late start-up entry on the main thread.
void RunFrameworkInitialization(Method lateStartup);
// Runs the event loop until Quit; an exception that ended the loop is raised from here.
void RuntimeRun();
// The last-chance report: one line on standard error, a message box if the GUI is up.
void UnhandledException(const Ref<Object>& exception);
// Given (Ptr to a Method, Ptr argument): nil, or the RuntimeException the call raised.
Value CallFunctionWithExceptionHandling(Object* self, Args args);

void Quit(int code);
std::optional<int> RequestedQuit();

// Forgets everything the framework keeps for the whole process (the windows, the application
// object, the quit request, the pictures, ...) and what the layers above registered, as at
// process start.
void ResetProcessState();
// A layer above that keeps something for the whole process registers how to forget it.
void RegisterProcessReset(std::function<void()> forget);

// Raises unless the Qt application exists: windows and controls need it.
void RequireGui();
bool GuiIsUp();
// The boundary where the toolkit calls into runtime code: an exception of any type that escapes the
// handler is kept pending and ends the run loop, so that the start-up driver reports it.
void DeliverFromToolkit(const std::function<void()>& handler);
Ref<Object> TakePendingException();

MenuItem* ApplicationMenuBar();

}  // namespace zefa
