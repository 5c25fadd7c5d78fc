// Real key presses into the input fields: the masks refuse what does not fit.
#include <QLineEdit>
#include <QtTest/QTest>

#include "calc_fixture.h"

using namespace zefa;

namespace {

QWidget* W(const Ref<TextArea>& t) { return t->Widget(); }
int refusals = 0;

struct Keystrokes {
  Calc::Slot field;
  const char* before;
  int selFrom, selLength;
  const char* typed;
  const char* after;
  int refused;
  friend void PrintTo(const Keystrokes& k, std::ostream* os) { *os << "\"" << k.typed << "\" into " << k.field; }
};

struct Typing : CalcTest, ::testing::WithParamInterface<Keystrokes> {
  static void CountValidationErrors(const Ref<TextArea>& field) {
    refusals = 0;
    Method count = [](Object*, Args) -> Value {
      ++refusals;
      return {};
    };
    RuntimeAddEventHandler(*field, TextArea::kValidationError, AddHandler::Stub(TextArea::kValidationError),
                           RuntimeCreateDelegate(Delegate::Invoke, count, nullptr, "( TextArea )", 0));
  }
};

}  // namespace

TEST_F(CalcTest, ReturnAddsNoLineBreakAndBackspaceDeletes) {
  Ref<TextArea> iq = Ctl(Calc::kIQFld);
  iq->SetText("123");
  iq->SetFocus();
  QTest::keyClick(W(iq), Qt::Key_End);
  QTest::keyClick(W(iq), Qt::Key_Return);
  EXPECT_EQ(iq->Text(), "123");
  QTest::keyClick(W(iq), Qt::Key_Backspace);
  EXPECT_EQ(iq->Text(), "12");
}

// A modifier or lock key on its own raises no KeyDown in a field; a key it modifies does.
TEST_F(CalcTest, BareModifierKeysRaiseNoKeyDown) {
  static int keyDowns = 0;
  keyDowns = 0;
  Ref<TextArea> field = Ctl(Calc::kSD1Fld);
  Method count = [](Object*, Args) -> Value {
    ++keyDowns;
    return false;
  };
  RuntimeAddEventHandler(*field, RectControl::kKeyDown, AddHandler::Stub(RectControl::kKeyDown),
                         RuntimeCreateDelegate(Delegate::Invoke, count, nullptr, "( TextArea, String )", 0));
  field->SetFocus();
  for (Qt::Key k : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_Meta, Qt::Key_Super_L, Qt::Key_CapsLock,
                    Qt::Key_AltGr, Qt::Key_NumLock, Qt::Key_Hyper_R})
    QTest::sendKeyEvent(QTest::Click, W(field), k, QString(), Qt::NoModifier);
  EXPECT_EQ(keyDowns, 0);
  QTest::keyClick(W(field), Qt::Key_A, Qt::ShiftModifier);
  EXPECT_EQ(keyDowns, 1);
}

// Each keystroke the mask or length refuses rings the bell once and raises ValidationError.
TEST_P(Typing, KeepsToTheMaskAndEachRefusalIsHeard) {
  const Keystrokes& c = GetParam();
  Ref<TextArea> field = Ctl(c.field);
  CountValidationErrors(field);
  field->SetText(c.before);
  field->SetFocus();
  static_cast<QLineEdit*>(W(field))->setSelection(c.selFrom, c.selLength);
  QTest::keyClicks(W(field), c.typed);
  EXPECT_EQ(field->Text(), c.after);
  EXPECT_EQ(Beeps(), c.refused);
  EXPECT_EQ(refusals, c.refused);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, Typing,
    ::testing::Values(Keystrokes{Calc::kIQFld, "", 0, 0, "1a2b34", "123", 3},  // letters, and a digit too many
                      Keystrokes{Calc::kIQFld, "100", 0, 3, "12.0", "120", 1},
                      Keystrokes{Calc::kCorrFld, ".60", 1, 2, "0.75", ".075", 1},
                      Keystrokes{Calc::kCorrFld, "", 0, 0, "0.6", ".6", 1},  // the leading 0 does not fit
                      Keystrokes{Calc::kCorrFld, ".6", 2, 0, "x55", ".655", 1}));

TEST_F(Typing, TextTheProgramSetsIsNoKeystroke) {
  Ref<TextArea> corr = Ctl(Calc::kCorrFld);
  CountValidationErrors(corr);
  corr->SetText("-.5");
  EXPECT_EQ(Beeps(), 0);
  EXPECT_EQ(refusals, 0);
}

TEST_F(CalcTest, DeletingThatBreaksTheMaskIsRefused) {
  Ref<TextArea> corr = Ctl(Calc::kCorrFld);
  corr->SetFocus();
  auto* edit = static_cast<QLineEdit*>(W(corr));
  edit->setSelection(0, 1);  // the "."
  QTest::keyClick(W(corr), Qt::Key_Delete);
  EXPECT_EQ(corr->Text(), ".60");
  edit->setCursorPosition(3);
  QTest::keyClick(W(corr), Qt::Key_Backspace);  // ".6" still fits
  EXPECT_EQ(corr->Text(), ".6");
}

TEST_F(CalcTest, ResultFieldsTakeNoTyping) {
  Calculate("100", ".60");
  Ref<TextArea> p = Ctl(Calc::kPAchFld);
  QTest::keyClicks(W(p), "999");
  EXPECT_EQ(p->Text(), "100");
}

TEST_F(CalcTest, TypedInputCalculatesLikeProgramInput) {
  Ref<TextArea> iq = Ctl(Calc::kIQFld);
  iq->SetFocus();
  QTest::keyClicks(W(iq), "85");
  Ref<TextArea> corr = Ctl(Calc::kCorrFld);
  corr->SetText("");
  QTest::keyClicks(W(corr), ".35");
  QTest::mouseClick(Ctl<RectControl>(Calc::kCalcBrn)->Widget(), Qt::LeftButton);
  EXPECT_EQ(Text(Calc::kPAchFld), " 95");
  EXPECT_EQ(Text(Calc::kSD05Fld), "  67 - 122");
}
