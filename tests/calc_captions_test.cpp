// Hover captions: which picture shows while the pointer rests on which label.
#include <QtTest/QTest>
#include <random>

#include "calc_fixture.h"
#include "framework/gui/canvas.h"
#include "framework/gui/label.h"

using namespace zefa;

namespace {

const char* kLabels[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"};

class CaptionTest : public CalcTest {
 protected:
  std::string Visible() {
    return Which<Canvas>({"IQlang", "RestCaption", "IQachCaption", "SEcaption"}, [](Canvas& c) { return c.Visible(); });
  }
  // The caption each label shows.
  static std::string CaptionOf(const std::string& label) {
    if (label == "Text1") return "IQlang";
    if (label == "Text2") return "RestCaption";
    if (label == "Text3") return "IQachCaption";
    return "SEcaption";
  }
};

}  // namespace

TEST_F(CaptionTest, EnterShowsTheLabelsCaptionAndExitHidesIt) {
  EXPECT_EQ(Visible(), "-");
  for (const char* label : kLabels) {
    Fire("MouseEnter", label);
    EXPECT_EQ(Visible(), CaptionOf(label)) << label;
    Fire("MouseExit", label);
    EXPECT_EQ(Visible(), "-") << label;
  }
}

struct Neighbours {
  const char* from;
  const char* to;
  const char* exitFirst;   // shown after the exit of `from`, then the enter of `to`
  const char* enterFirst;  // after the enter of `to`, then the exit of `from`
  friend void PrintTo(const Neighbours& n, std::ostream* os) { *os << n.from << " -> " << n.to; }
};
struct PointerMoves : CaptionTest, ::testing::WithParamInterface<Neighbours> {};

TEST_P(PointerMoves, BetweenNeighbouringLabelsInEitherOrder) {
  const Neighbours& c = GetParam();
  EXPECT_EQ(HandOver("MouseEnter", "MouseExit", c.from, c.to, [&] { return Visible(); }),
            std::make_pair(std::string(c.exitFirst), std::string(c.enterFirst)));
}

INSTANTIATE_TEST_SUITE_P(
    Calc, PointerMoves,
    ::testing::Values(Neighbours{"Text1", "Text2", "RestCaption", "RestCaption"},  // Text1's exit hides only IQlang
                      Neighbours{"Text2", "Text3", "IQachCaption", "IQachCaption"},
                      Neighbours{"Text3", "Text7", "SEcaption", "-"},  // Text3's exit hides every caption
                      Neighbours{"Text3", "Text2", "RestCaption", "-"},
                      Neighbours{"Text7", "Text4", "SEcaption", "-"},  // both hide and show SEcaption
                      Neighbours{"Text6", "Text5", "SEcaption", "-"},
                      Neighbours{"Text7", "Text3", "IQachCaption", "IQachCaption"}));

TEST_F(CaptionTest, AtMostOneCaptionAfterAnySequenceAndTheBannerStays) {
  std::mt19937 rng(20261207);
  for (int step = 0; step < 3000; ++step) {
    const char* label = kLabels[rng() % 7];
    int kind = static_cast<int>(rng() % 3);
    Fire(kind == 0 ? "MouseEnter" : kind == 1 ? "MouseExit" : "MouseDown", label);
    std::string v = Visible();
    ASSERT_EQ(v.find(','), std::string::npos) << "step " << step << ": " << v;
    if (kind == 0) {
      ASSERT_EQ(v, CaptionOf(label)) << "step " << step;
    }
    ASSERT_TRUE(Ctl<Canvas>(Calc::kPgmName)->Visible());
  }
}

TEST_F(CaptionTest, PressesChangeNothingAndAnswerFalseWhereHandled) {
  Fire("MouseEnter", "Text4");
  for (const char* label : kLabels) {
    Value v = RaiseEvent(*Win().ControlByName(label), "MouseDown", std::vector<Value>{Value(3), Value(4)});
    bool handled = std::string(label) == "Text4" || std::string(label) == "Text5" || std::string(label) == "Text7";
    EXPECT_EQ(v.IsNil(), !handled) << label;
    if (handled) {
      EXPECT_FALSE(v.Boolean()) << label;
    }
    EXPECT_EQ(Visible(), "SEcaption");
  }
}

TEST_F(CaptionTest, CalculateClearAndFocusLeaveCaptionsAlone) {
  Fire("MouseEnter", "Text2");
  Calculate("100", ".60");
  ExpectBoxes(1);
  Calculate("200", ".60");
  RaiseEvent(*Win().ControlByName("ClearBtn"), "Action");
  RaiseEvent(*Win().ControlByName("SD1Fld"), "GotFocus");
  EXPECT_EQ(Visible(), "RestCaption");
  EXPECT_EQ(Ctl<Label>(Calc::kText2)->Text(), "IQ-Achievement Correlation");
}

TEST_F(CaptionTest, RealPointerMovesShowAndHideTheCaption) {
  Window& w = Win();
  w.Widget()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.Widget()));
  QWidget* content = w.Content();
  QTest::mouseMove(content, QPoint(5, 5));
  QTest::mouseMove(Ctl<RectControl>(Calc::kText1)->Widget(), QPoint(10, 10));
  EXPECT_EQ(Visible(), "IQlang");
  QTest::mouseMove(Ctl<RectControl>(Calc::kText6)->Widget(), QPoint(10, 10));
  EXPECT_EQ(Visible(), "SEcaption");
  QTest::mouseMove(content, QPoint(5, 395));  // below the last label, beside the buttons
  EXPECT_EQ(Visible(), "-");
  EXPECT_TRUE(Ctl<Canvas>(Calc::kPgmName)->Visible());
}
