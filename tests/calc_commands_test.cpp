// Calculate and Clear. Every whole IQ with every r is checked against an independent computation
// by probe_domain_sweep.
#include "calc_fixture.h"

using namespace zefa;

namespace {

constexpr Calc::Slot kResults[] = {Calc::kPAchFld, Calc::kSD1Fld, Calc::kSD15Fld, Calc::kSD10Fld, Calc::kSD05Fld};
const char* kIQMessage = "IQ score must range from 45-155.";
const char* kRMessage = "Correlation must range from .001 to .999.";

struct Worked {
  const char* iq;
  const char* r;
  const char* results[5];  // PAchFld, SD1Fld, SD15Fld, SD10Fld, SD05Fld
  friend void PrintTo(const Worked& w, std::ostream* os) { *os << w.iq << " " << w.r; }
};

struct Refused {
  const char* iq;
  const char* r;
  const char* message;
  Calc::Slot focus;
  friend void PrintTo(const Refused& c, std::ostream* os) { *os << "\"" << c.iq << "\" \"" << c.r << "\""; }
};

struct Commands : CalcTest {};
struct WorkedInput : CalcTest, ::testing::WithParamInterface<Worked> {};
struct RefusedInput : CalcTest, ::testing::WithParamInterface<Refused> {};

}  // namespace

TEST_P(WorkedInput, FillsTheFiveResultFields) {
  const Worked& w = GetParam();
  Calculate(w.iq, w.r);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Text(kResults[i]), w.results[i]) << "field " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Calculate, WorkedInput,
    ::testing::Values(
        Worked{"100", ".60", {"100", "  88 - 112", "  82 - 118", "  80 - 120", "  76 - 124"}},
        Worked{"70", ".60", {" 82", "  70 - 94", "  64 - 100", "  62 - 102", "  58 - 106"}},
        Worked{"130", ".60", {"118", "106 - 130", "100 - 136", "  98 - 138", "  94 - 142"}},
        Worked{"45", ".999", {" 45", "  44 - 46", "  44 - 46", "  44 - 46", "  44 - 46"}},
        Worked{"155", ".999", {"155", "154 - 156", "154 - 156", "154 - 156", "154 - 156"}},
        Worked{"45", ".001", {"100", "  85 - 115", "  77 - 122", "  75 - 125", "  71 - 129"}},
        Worked{"155", ".001", {"100", "  85 - 115", "  78 - 123", "  75 - 125", "  71 - 129"}},
        Worked{"85", ".35", {" 95", "  81 - 109", "  74 - 116", "  72 - 118", "  67 - 122"}},
        Worked{"100", ".001", {"100", "  85 - 115", "  78 - 122", "  75 - 125", "  71 - 129"}},
        Worked{"101", ".5", {"101", "  88 - 113", "  81 - 120", "  79 - 122", "  75 - 126"}}));  // P = 100.5

TEST_P(RefusedInput, BeepsExplainsAndRefocuses) {
  const Refused& c = GetParam();
  // Start with the focus in the other field so that the move is visible.
  Ctl(c.focus == Calc::kIQFld ? Calc::kCorrFld : Calc::kIQFld)->SetFocus();
  ExpectBoxes(1);
  Calculate(c.iq, c.r);
  EXPECT_EQ(Beeps(), 1);
  EXPECT_EQ(Boxes(), std::vector<std::string>{c.message});
  EXPECT_TRUE(Ctl(c.focus)->HasFocus());
}

INSTANTIATE_TEST_SUITE_P(OutOfRange, RefusedInput,
                         ::testing::Values(Refused{"44", ".60", kIQMessage, Calc::kIQFld},
                                           Refused{"156", ".60", kIQMessage, Calc::kIQFld},
                                           Refused{"", ".60", kIQMessage, Calc::kIQFld},
                                           Refused{"30", ".000", kIQMessage, Calc::kIQFld},  // IQ first
                                           Refused{"100", ".000", kRMessage, Calc::kCorrFld},
                                           Refused{"100", "", kRMessage, Calc::kCorrFld},
                                           Refused{"100", "1", kRMessage, Calc::kCorrFld},
                                           Refused{"100", "-.5", kRMessage, Calc::kCorrFld}));

TEST_F(Commands, RefusedInputLeavesEarlierResultsInPlace) {
  Calculate("100", ".60");
  ExpectBoxes(2);
  Calculate("160", ".60");
  Calculate("100", ".000");
  EXPECT_EQ(Text(Calc::kPAchFld), "100");
  EXPECT_EQ(Text(Calc::kSD1Fld), "  88 - 112");
  EXPECT_EQ(Text(Calc::kSD05Fld), "  76 - 124");
}

TEST_F(Commands, ClearEmptiesAllSevenFieldsAndFocusesIQ) {
  Calculate("130", ".60");
  Ctl(Calc::kCorrFld)->SetFocus();
  RaiseEvent(*ControlByName(&Win(), "ClearBtn"), "Action");
  for (Calc::Slot s : {Calc::kIQFld, Calc::kCorrFld, Calc::kPAchFld, Calc::kSD1Fld, Calc::kSD15Fld, Calc::kSD10Fld,
                       Calc::kSD05Fld})
    EXPECT_EQ(Text(s), "") << s;  // CorrFld too: ".60" does not come back
  EXPECT_TRUE(Ctl(Calc::kIQFld)->HasFocus());
  // After Clear both empty inputs are refused, IQ first.
  ExpectBoxes(1);
  Calculate("", "");
  EXPECT_EQ(Boxes(), std::vector<std::string>{kIQMessage});
}
