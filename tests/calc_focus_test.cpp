// Result fields and the focus: a focused result field disables one of them until it leaves.
#include <QApplication>
#include <QClipboard>
#include <QtTest/QTest>

#include "calc_fixture.h"

using namespace zefa;

namespace {

class FocusTest : public CalcTest {
 protected:
  std::string Disabled() {
    return Which<RectControl>({"PAchFld", "SD1Fld", "SD15Fld", "SD10Fld", "SD05Fld"},
                              [](RectControl& c) { return !c.Enabled(); });
  }
};

// Counts the focus events a widget receives.
struct FocusCounter : QObject {
  int in = 0, out = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    in += e->type() == QEvent::FocusIn;
    out += e->type() == QEvent::FocusOut;
    return false;
  }
};

}  // namespace

// The result field that a focused one disables while it holds the focus.
struct FocusedField : FocusTest, ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(FocusedField, DisablesItsTargetUntilItLosesTheFocus) {
  auto [field, target] = GetParam();
  EXPECT_EQ(Disabled(), "-");
  Fire("GotFocus", field);
  EXPECT_EQ(Disabled(), target);
  Fire("LostFocus", field);
  EXPECT_EQ(Disabled(), "-");
}

INSTANTIATE_TEST_SUITE_P(Calc, FocusedField,
                         ::testing::Values(std::pair{"PAchFld", "PAchFld"}, std::pair{"SD1Fld", "PAchFld"},
                                           std::pair{"SD15Fld", "PAchFld"}, std::pair{"SD10Fld", "SD10Fld"},
                                           std::pair{"SD05Fld", "SD05Fld"}));

struct FocusMove {
  const char* from;
  const char* to;
  const char* lostFirst;  // disabled after LostFocus of `from` before GotFocus of `to`
  const char* gotFirst;   // after the reverse
  friend void PrintTo(const FocusMove& m, std::ostream* os) { *os << m.from << " -> " << m.to; }
};
struct FocusMoves : FocusTest, ::testing::WithParamInterface<FocusMove> {};

TEST_P(FocusMoves, BetweenFieldsInEitherOrder) {
  const FocusMove& c = GetParam();
  EXPECT_EQ(HandOver("GotFocus", "LostFocus", c.from, c.to, [&] { return Disabled(); }),
            std::make_pair(std::string(c.lostFirst), std::string(c.gotFirst)));
  Fire("LostFocus", c.to);
  EXPECT_EQ(Disabled(), "-");
}

INSTANTIATE_TEST_SUITE_P(Calc, FocusMoves,
                         ::testing::Values(FocusMove{"PAchFld", "SD15Fld", "PAchFld", "-"},
                                           FocusMove{"SD15Fld", "SD1Fld", "PAchFld", "-"},
                                           FocusMove{"SD1Fld", "PAchFld", "PAchFld", "-"},
                                           FocusMove{"PAchFld", "SD10Fld", "SD10Fld", "SD10Fld"},
                                           FocusMove{"SD10Fld", "SD05Fld", "SD05Fld", "SD05Fld"},
                                           FocusMove{"SD05Fld", "SD1Fld", "PAchFld", "PAchFld"}));

TEST_F(FocusTest, CalculateWritesADisabledFieldAndLeavesItDisabled) {
  Fire("GotFocus", "SD10Fld");
  Fire("MouseEnter", "Text1");
  Calculate("100", ".60");
  EXPECT_EQ(Text(Calc::kSD10Fld), "  80 - 120");
  EXPECT_EQ(Disabled(), "SD10Fld");
  RaiseEvent(*Win().ControlByName("ClearBtn"), "Action");
  EXPECT_EQ(Disabled(), "SD10Fld");
  EXPECT_EQ(Text(Calc::kSD10Fld), "");
}

// A result field that disables itself on the focus gives it back to the window: no other field
// receives it, so nothing typed or copied next reaches a field the user did not click. Its
// LostFocus enables it again; one round, no loop.
TEST_F(FocusTest, ClickingIntoResultFieldsWithRealFocus) {
  Window& w = Win();
  w.Widget()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.Widget()));
  Calculate("100", ".60");
  QWidget* iq = Ctl<RectControl>(Calc::kIQFld)->Widget();
  QApplication::clipboard()->setText("before");
  FocusCounter iqCounter;
  iq->installEventFilter(&iqCounter);

  for (Calc::Slot s : {Calc::kPAchFld, Calc::kSD10Fld, Calc::kSD05Fld}) {
    QWidget* field = Ctl<RectControl>(s)->Widget();
    FocusCounter counter;
    field->installEventFilter(&counter);
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(counter.in, 1) << s;
    EXPECT_EQ(counter.out, 1) << s;
    EXPECT_EQ(QApplication::focusWidget(), w.Widget()) << s;  // the window keeps it
    EXPECT_EQ(Disabled(), "-") << s;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), "7");
    field->removeEventFilter(&counter);
  }
  iq->removeEventFilter(&iqCounter);
  EXPECT_EQ(iqCounter.in, 0);
  EXPECT_EQ(Text(Calc::kIQFld), "100");
  EXPECT_EQ(QApplication::clipboard()->text(), "before");
  for (const auto& [name, c] : w.Controls()) {
    if (c->RuntimeClass().IsA(RectControl::Class())) {
      EXPECT_FALSE(static_cast<RectControl&>(*c).HasFocus()) << name;
    }
  }

  QWidget* sd1 = Ctl<RectControl>(Calc::kSD1Fld)->Widget();
  QTest::mouseClick(sd1, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(sd1->hasFocus());
  EXPECT_EQ(Disabled(), "PAchFld");  // SD1Fld keeps the focus and stays enabled

  QTest::mouseClick(iq, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(Ctl(Calc::kIQFld)->HasFocus());
  EXPECT_EQ(Disabled(), "-");
}

// Of the calculator's controls only the two input fields are tab stops, IQFld first.
TEST_F(FocusTest, TabMovesBetweenTheTwoInputFields) {
  Win().Widget()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Win().Widget()));
  Ctl(Calc::kIQFld)->SetFocus();
  for (Calc::Slot next : {Calc::kCorrFld, Calc::kIQFld}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(Ctl(next)->HasFocus()) << next;
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_TRUE(Ctl(Calc::kCorrFld)->HasFocus());
  EXPECT_EQ(Disabled(), "-");
}
