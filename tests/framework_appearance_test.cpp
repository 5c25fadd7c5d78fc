// The desktop's appearance changes reach the application object under the two notification
// names, and run its class's AppearanceChanged hook. (The program's own class has none:
// shell_startup_test asks it about every event.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>

#include "framework/gui/application.h"
#include "framework/runtime/delegate.h"

using namespace zefa;

namespace {
int g_changes = 0;
int g_received = 0;
}

// The framework reaches the application object through its own class record, a subclass's here,
// never through Application's: the subclass's interface and hook are the ones that run.
TEST(Appearance, BothNotificationsReachTheHookOfAClassThatHasOne) {
  g_changes = g_received = 0;
  ClassRecord& cls = NewClassRecord("TestAppearanceApp", &Application::Class());
  cls.interfaces = {{"_MacOSDistributedNotifications.iNotify", {[](Object* self, Args a) -> Value {
                       ++g_received;
                       return Application::MacOSNotificationReceived(self, a);
                     }}}};
  cls.SetHook("AppearanceChanged", [](Object*, Args) -> Value {
    ++g_changes;
    return {};
  });
  RuntimeRegisterAppObject(RuntimeNewObject(cls));
  RunFrameworkInitialization([](Object*, Args) -> Value { return {}; });
  QEvent theme(QEvent::ThemeChange), palette(QEvent::ApplicationPaletteChange);
  QApplication::sendEvent(qApp, &theme);
  QApplication::sendEvent(qApp, &palette);
  EXPECT_EQ(g_received, 2);
  EXPECT_EQ(g_changes, 2);
  // Other names reach nothing.
  DeliverAppearanceNotification("SomeOtherNotification");
  EXPECT_EQ(g_changes, 2);
  EXPECT_FALSE(TakePendingException());
}
