// Both windows on a screen smaller than they are, or scaled up (ctest runs this program on several
// such screens): each opens at its record's size with its top-left corner on the screen, centred
// along each side where it fits.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "calculator/calc_window.h"
#include "framework/gui/application.h"
#include "framework/gui/private/widgets.h"
#include "framework/gui/timer.h"
#include "framework/runtime/delegate.h"
#include "fresh_start.h"
#include "shell/about_window.h"

using namespace zefa;

namespace {

void ExpectPlaced(Window& w, QSize content) {
  EXPECT_TRUE(w.IsVisible());
  EXPECT_EQ(w.Content()->size(), content);
  EXPECT_EQ(w.Widget()->width(), content.width());
  QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
  QRect frame = w.Widget()->frameGeometry();
  EXPECT_GE(frame.left(), avail.left());
  EXPECT_GE(frame.top(), avail.top());
  // A frame the platform adds only once the window exists (the plain offscreen screen has one)
  // moves it by its margin after it was placed.
  QRect inner = w.Widget()->geometry();
  int margin = std::max(inner.left() - frame.left(), inner.top() - frame.top());
  if (frame.width() <= avail.width()) {
    EXPECT_NEAR(frame.center().x(), avail.center().x(), 1 + margin);
  }
  if (frame.height() <= avail.height()) {
    EXPECT_NEAR(frame.center().y(), avail.center().y(), 1 + margin);
  }
}

}  // namespace

using SmallScreen = FreshStart;

TEST_F(SmallScreen, EachWindowOpensAtItsSizeWithItsTopLeftOnTheScreen) {
  QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
  RecordProperty("screen", std::to_string(avail.width()) + "x" + std::to_string(avail.height()));

  Ref<Window> about = AboutWindow::AboutWindow();
  ExpectPlaced(*about, {500, 300});
  RaiseEvent(*CheckCast<Timer>(ControlByName(about.get(), "Timer1")), Timer::kAction);
  Ref<Object> calc = GetImplicitWindow(Calc::kClassName);
  ASSERT_TRUE(calc);
  ExpectPlaced(static_cast<Window&>(*calc), {480, 450});
}
