// The splash window: its class, its records, its controls and the hand-over to the calculator.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include "calculator/calc_window.h"
#include "framework/gui/application.h"
#include "framework/gui/canvas.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/label.h"
#include "framework/gui/timer.h"
#include "framework/gui/private/widgets.h"
#include "framework/runtime/delegate.h"
#include "seams.h"
#include "fresh_start.h"
#include "shell/about_records.h"
#include "shell/about_window.h"
#include "shell/startup.h"

using namespace zefa;

namespace {

class SplashTest : public FreshStart {
 protected:
  static Window* Open(const char* className) { return static_cast<Window*>(GetImplicitWindow(className).get()); }
  static Ref<Timer> TimerOf(Window& w) { return CheckCast<Timer>(ControlByName(&w, "Timer1")); }
};

}  // namespace

// The framework's question is answered from the class's hooks, under the class's own name.
TEST_F(SplashTest, ImplementsItsFourWindowEvents) {
  EXPECT_EQ(AboutWindow::Class().name, "AboutWindow.AboutWindow");
  auto implemented = [](const char* event) {
    return AboutWindow::IsEventImplemented(nullptr, std::vector<Value>{Value(event)}).Boolean();
  };
  for (const char* e : {"CreateControls", "KeyDown", "Layout", "MouseDown"}) EXPECT_TRUE(implemented(e)) << e;
  for (const char* e : {"Open", "Close", "CancelClose", "Paint", "Activate"}) EXPECT_FALSE(implemented(e)) << e;
}

TEST_F(SplashTest, RecordsHaveTheirByteLengths) {
  EXPECT_EQ(AboutWindow::AboutWindowRecord().size(), 363u);
  EXPECT_EQ(AboutWindow::Canvas1Record().size(), 322u);
  EXPECT_EQ(AboutWindow::Label1Record().size(), 474u);
  EXPECT_EQ(AboutWindow::Canvas2Record().size(), 308u);
  EXPECT_EQ(AboutWindow::Timer1Record(), std::string("RunMode \x01\0\0\0\0\0\0\0Period \xA0\x0F\0\0\0\0\0\0", 31));
  EXPECT_EQ(AboutWindow::Canvas2Record().find("DoubleBuffer"), std::string::npos);
  EXPECT_NE(AboutWindow::Label1Record().find(std::string("TextColor \x02\x00\x80\x00", 14)), std::string::npos);
}

TEST_F(SplashTest, BuiltWindowShowsItsFourControlsAndCountsDown) {
  Ref<Window> w = AboutWindow::AboutWindow();
  ASSERT_TRUE(w);
  EXPECT_TRUE(w->IsVisible());
  EXPECT_EQ(w->Content()->size(), QSize(500, 300));
  EXPECT_EQ(w->Content()->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(Open(Calc::kClassName), nullptr);

  const auto& controls = w->Controls();
  ASSERT_EQ(controls.size(), 4u);
  const char* names[] = {"Canvas1", "Label1", "Timer1", "Canvas2"};
  const ClassRecord* classes[] = {&Canvas::Class(), &Label::Class(), &AboutWindow::_wrapper_Timer1::Class(),
                                  &Canvas::Class()};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(controls[i].first, names[i]);
    EXPECT_EQ(&controls[i].second->RuntimeClass(), classes[i]);
    // Each accessor finds the very object registered under its name.
    EXPECT_EQ(CallSlot(w.get(), AboutWindow::kCanvas1 + static_cast<int>(i)).ObjectRef().get(), controls[i].second.get());
  }
  auto canvas1 = CheckCast<Canvas>(controls[0].second);
  auto canvas2 = CheckCast<Canvas>(controls[3].second);
  EXPECT_TRUE(canvas1->Backdrop());
  EXPECT_TRUE(canvas2->Backdrop());
  EXPECT_EQ(canvas1->Widget()->geometry(), QRect(48, 54, 404, 76));
  EXPECT_EQ(canvas2->Widget()->geometry(), QRect(216, 142, 69, 67));
  auto label = CheckCast<Label>(controls[1].second);
  EXPECT_EQ(label->Text(), AboutWindow::kRightsNotice);
  EXPECT_EQ(label->Widget()->geometry(), QRect(94, 238, 311, 20));

  Ref<Timer> timer = TimerOf(*w);
  EXPECT_EQ(timer->RunMode(), Timer::kSingle);
  EXPECT_EQ(timer->Period(), 4000);
  EXPECT_TRUE(timer->IsCounting());
  ASSERT_NE(timer->BindingFor(Timer::kAction), nullptr);
  const Delegate& d = *timer->BindingFor(Timer::kAction)->delegate;
  EXPECT_EQ(d.Target(), w.get());
  EXPECT_EQ(d.Signature(), "( Timer )");
  EXPECT_EQ(d.Flag(), 1);

  // The getter finds this window again rather than building another.
  EXPECT_EQ(AboutWindow::AboutWindow().get(), w.get());
  EXPECT_EQ(WindowCount(), 1);
}

TEST_F(SplashTest, TimerAloneHandsOverToANewCalculator) {
  Ref<Window> about = AboutWindow::AboutWindow();
  RaiseEvent(*TimerOf(*about), Timer::kAction);
  EXPECT_FALSE(about->IsVisible());
  Window* calc = Open(Calc::kClassName);
  ASSERT_NE(calc, nullptr);
  EXPECT_TRUE(calc->IsVisible());
  EXPECT_EQ(AboutWindow::AboutWindow().get(), about.get());  // hidden, never closed
}

TEST_F(SplashTest, EarlyClickHandsOverAndTheTimerLaterShowsTheSameCalculator) {
  Ref<Window> about = AboutWindow::AboutWindow();
  QTest::mouseClick(about->Content(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_FALSE(about->IsVisible());
  Window* calc = Open(Calc::kClassName);
  ASSERT_NE(calc, nullptr);
  EXPECT_TRUE(calc->IsVisible());
  Ref<Timer> timer = TimerOf(*about);
  EXPECT_TRUE(timer->IsCounting());  // the press leaves the timer alone

  calc->Hide();  // so that the timer's run is seen to show it again
  RaiseEvent(*timer, Timer::kAction);
  EXPECT_EQ(Open(Calc::kClassName), calc);
  EXPECT_TRUE(calc->IsVisible());
  EXPECT_FALSE(about->IsVisible());
  EXPECT_EQ(WindowCount(), 2);
}

// The timer's hand-over after an early one shows a calculator that is already up: the user's
// other window keeps the focus.
TEST_F(SplashTest, TheTimersShowOfTheShownCalculatorTakesNoFocus) {
  Ref<Window> about = AboutWindow::AboutWindow();
  QTest::mouseClick(about->Content(), Qt::LeftButton, {}, QPoint(10, 10));
  Window* calc = Open(Calc::kClassName);
  ASSERT_TRUE(calc && calc->IsVisible());
  ASSERT_TRUE(QTest::qWaitForWindowActive(calc->Widget()));
  QWidget other;  // where the user went meanwhile
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

  RaiseEvent(*TimerOf(*about), Timer::kAction);
  QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &other);
  EXPECT_TRUE(calc->IsVisible());
}

// The press that hands over hides the window it was made in, and its release may reach no window
// of the program: the splash lets go of the press, so that the calculator's captions still follow
// the pointer. Sent to the toolkit windows, as the windowing system's events are.
TEST_F(SplashTest, ThePressThatHandsOverLeavesTheCaptionsFollowingThePointer) {
  auto send = [](Window& w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent e(type, at, w.Widget()->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w.Widget()->windowHandle(), &e);
  };
  Ref<Window> about = AboutWindow::AboutWindow();
  send(*about, QEvent::MouseButtonPress, QPoint(3, 150), Qt::LeftButton);
  QCoreApplication::processEvents();
  Window* calc = Open(Calc::kClassName);
  ASSERT_TRUE(calc && calc->IsVisible());
  auto caption = [&] { return CheckCast<Canvas>(ControlByName(calc, "IQlang"))->Visible(); };
  QWidget* label = CheckCast<Label>(ControlByName(calc, "Text1"))->Widget();
  send(*calc, QEvent::MouseMove, label->mapTo(calc->Widget(), label->rect().center()), Qt::NoButton);
  EXPECT_TRUE(caption());
  send(*calc, QEvent::MouseMove, label->mapTo(calc->Widget(), label->rect().bottomRight() + QPoint(5, 5)), Qt::NoButton);
  EXPECT_FALSE(caption());
}

// A message box that is open when the timer fires stays the active window, whether the hand-over
// shows the calculator for the first time or once more (after an early hand-over).
struct BoxOpenAtHandOver : SplashTest, ::testing::WithParamInterface<bool> {};

TEST_P(BoxOpenAtHandOver, StaysTheActiveWindow) {
  Ref<Window> about = AboutWindow::AboutWindow();
  if (GetParam()) QTest::mouseClick(about->Content(), Qt::LeftButton, {}, QPoint(10, 10));
  bool checked = false;
  ExpectBoxes(1);
  zefa::testing::SetAutoDismissMessageBoxes(false);
  zefa::testing::SetMessageBoxWatcher([&](const std::string&) {
    QTimer::singleShot(0, [&] {
      QWidget* box = QApplication::activeModalWidget();
      ASSERT_TRUE(box);
      EXPECT_TRUE(QTest::qWaitForWindowActive(box));
      RaiseEvent(*TimerOf(*about), Timer::kAction);
      QCoreApplication::processEvents();
      Window* calc = Open(Calc::kClassName);
      EXPECT_TRUE(calc && calc->IsVisible());
      EXPECT_EQ(QApplication::activeWindow(), box);
      EXPECT_EQ(QApplication::activeModalWidget(), box);
      checked = true;
      box->close();
    });
  });
  MsgBox("the box");
  EXPECT_TRUE(checked);
}

INSTANTIATE_TEST_SUITE_P(EarlyHandOver, BoxOpenAtHandOver, ::testing::Bool());

TEST_F(SplashTest, KeyPressHandsOverAndThePressHandlersAnswerFalse) {
  Ref<Window> about = AboutWindow::AboutWindow();
  QTest::keyClick(about->Widget(), Qt::Key_A);
  EXPECT_FALSE(about->IsVisible());
  ASSERT_NE(Open(Calc::kClassName), nullptr);
  EXPECT_TRUE(Open(Calc::kClassName)->IsVisible());

  Value down = RaiseWindowEvent(*about, Window::kMouseDown, std::vector<Value>{Value(int64_t{-5}), Value(int64_t{9999})});
  Value key = RaiseWindowEvent(*about, Window::kKeyDown, std::vector<Value>{Value("\r")});
  EXPECT_FALSE(down.Boolean());
  EXPECT_FALSE(key.Boolean());
  EXPECT_EQ(WindowCount(), 2);
}

// A modifier, lock or layout-switch key on its own is no key press, so Ctrl+Q on the splash
// reaches its menu's Quit rather than handing over on the Ctrl.
TEST_F(SplashTest, BareModifierKeysDoNotHandOverAndCtrlQQuits) {
  if (!App()) NewAppInstance();  // the application's menu bar, with its Quit shortcut
  Ref<Window> about = AboutWindow::AboutWindow();
  about->Widget()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(about->Widget()));
  for (Qt::Key k : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_Meta, Qt::Key_Super_L, Qt::Key_Super_R,
                    Qt::Key_CapsLock, Qt::Key_AltGr, Qt::Key_NumLock, Qt::Key_Hyper_L, Qt::Key_ScrollLock,
                    Qt::Key_Multi_key, Qt::Key_Kana_Lock, Qt::Key_Eisu_toggle}) {
    QTest::sendKeyEvent(QTest::Click, about->Widget(), k, QString(), Qt::NoModifier);
    EXPECT_TRUE(about->IsVisible()) << k;
  }
  // On X the key is told by its keysym, whatever key code Qt makes of it (none for the ISO keys):
  // Multi_key, ISO_Next_Group, ISO_Level5_Shift, ISO_Level3_Lock, Scroll_Lock, Shift_Lock.
  for (quint32 sym : {0xFF20u, 0xFE08u, 0xFE11u, 0xFE05u, 0xFF14u, 0xFFE6u}) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, 0, sym, 0);
    QCoreApplication::sendEvent(about->Widget(), &press);
    EXPECT_TRUE(about->IsVisible()) << std::hex << sym;
  }
  EXPECT_EQ(Open(Calc::kClassName), nullptr);

  QTest::keyPress(about->Widget(), Qt::Key_Control);
  QTest::keyClick(about->Widget(), Qt::Key_Q, Qt::ControlModifier);
  QTest::keyRelease(about->Widget(), Qt::Key_Control);
  ASSERT_TRUE(RequestedQuit());
  EXPECT_EQ(*RequestedQuit(), 0);
  EXPECT_EQ(Open(Calc::kClassName), nullptr);

  QKeyEvent typed(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 38, 0x61, 0, "a");  // a key that types
  QCoreApplication::sendEvent(about->Widget(), &typed);
  EXPECT_FALSE(about->IsVisible());
}

TEST_F(SplashTest, BothBannersShareOneTitlePictureReadOnce) {
  Ref<Window> splash = AboutWindow::AboutWindow();
  RaiseEvent(*TimerOf(*splash), 0);  // hand over: the calculator builds its controls now
  Window* calc = Open(Calc::kClassName);
  ASSERT_TRUE(calc);
  Ref<Canvas> banner = CheckCast<Canvas>(ControlByName(splash.get(), "Canvas1"));
  Ref<Canvas> pgm = CheckCast<Canvas>(ControlByName(calc, "PgmName"));
  ASSERT_TRUE(banner->Backdrop());
  EXPECT_EQ(banner->Backdrop(), pgm->Backdrop());
  // Each of the six files is read once, in the order the two windows ask for them.
  EXPECT_EQ(zefa::testing::PictureLookups(),
            (std::vector<std::string>{"ZEFAtitle.png", "Ride64.png", "IQlangPix..png", "PreAchFormula.png",
                                      "Rest.png", "SEformula.png"}));
}

// Both windows fetch each canvas by name, and cast it, before they ask for its picture: at a
// canvas's first fetch its file has not been looked up yet. Each window is built from a copy of
// its class whose control lookup notes how many pictures had been looked up at each fetch.
TEST_F(SplashTest, EachCanvasIsFetchedBeforeItsPictureIsAskedFor) {
  static std::vector<std::pair<std::string, size_t>> fetches;
  auto traced = [](const ClassRecord& base) -> const ClassRecord& {
    ClassRecord& cls = NewClassRecord(base.name + ".FetchTraced", &base);
    cls.hooks = base.hooks;
    cls.ReplaceOperation("_ControlByName", [](Object* self, Args a) -> Value {
      fetches.emplace_back(a[0].String(), zefa::testing::PictureLookups().size());
      return static_cast<Window&>(*self).ControlByName(a[0].String());
    });
    return cls;
  };
  static const ClassRecord& about = traced(AboutWindow::Class());
  static const ClassRecord& calc = traced(Calc::Class());
  struct Case {
    const ClassRecord& cls;
    std::vector<std::pair<std::string, std::string>> canvases;  // name, picture file
  };
  for (const Case& c : {Case{about, {{"Canvas1", "ZEFAtitle.png"}, {"Canvas2", "Ride64.png"}}},
                        Case{calc,
                             {{"IQlang", "IQlangPix..png"}, {"IQachCaption", "PreAchFormula.png"},
                              {"PgmName", "ZEFAtitle.png"}, {"RestCaption", "Rest.png"},
                              {"SEcaption", "SEformula.png"}}}}) {
    SCOPED_TRACE(c.cls.name);
    ResetProcessState();  // no picture loaded yet, none looked up
    fetches.clear();
    Ref<Object> w = RuntimeNewObject(c.cls);
    CallSlot(w.get(), Window::kConstructor);
    const std::vector<std::string>& lookups = zefa::testing::PictureLookups();
    for (const auto& [canvas, file] : c.canvases) {
      auto fetch = std::find_if(fetches.begin(), fetches.end(), [&](const auto& f) { return f.first == canvas; });
      auto lookup = std::find(lookups.begin(), lookups.end(), file);
      ASSERT_NE(fetch, fetches.end()) << canvas;
      ASSERT_NE(lookup, lookups.end()) << file;
      EXPECT_GE(static_cast<size_t>(lookup - lookups.begin()), fetch->second) << canvas << " was fetched after " << file << " was looked up";
    }
    static_cast<Window&>(*w).Teardown();
  }
}
