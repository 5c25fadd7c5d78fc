// The calculator's controls: their records, start state and pictures.
#include <QLineEdit>
#include <algorithm>
#include <filesystem>

#include "calc_fixture.h"
#include "calculator/calc_records.h"
#include "framework/gui/application.h"
#include "pictures/project_pictures.h"
#include "framework/gui/canvas.h"
#include "framework/gui/label.h"
#include "framework/gui/push_button.h"
#include "seams.h"

using namespace zefa;

namespace {
size_t CountEntries(const std::string& rec, std::string_view name) {
  size_t n = 0;
  std::string key = std::string(name) + " ";
  for (size_t p = rec.find(key); p != std::string::npos; p = rec.find(key, p + 1)) ++n;
  return n;
}

struct RecordLength {
  std::string_view control;
  size_t bytes;
  friend void PrintTo(const RecordLength& r, std::ostream* os) { *os << r.control; }
};
struct ControlRecord : ::testing::TestWithParam<RecordLength> {};

}  // namespace

TEST_P(ControlRecord, HasTheByteLengthOfItsTableAndIsReachedByName) {
  auto row = std::find_if(Calc::ControlRows().begin(), Calc::ControlRows().end(),
                          [](const ControlRow& r) { return r.name == GetParam().control; });
  ASSERT_NE(row, Calc::ControlRows().end());
  const std::string& rec = row->record();
  EXPECT_EQ(rec.size(), GetParam().bytes);
  EXPECT_EQ(rec.compare(0, 5, "Name "), 0);
  // Every control is reached by its name alone: Index is the lowest 32-bit value, stored in 64 bits.
  size_t at = rec.find("Index ");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(rec.substr(at + 6, 8), std::string("\x00\x00\x00\x80\xFF\xFF\xFF\xFF", 8));
  EXPECT_EQ(rec.substr(rec.size() - 18), std::string("InitialParent \0\0\0\0", 18));
}

INSTANTIATE_TEST_SUITE_P(
    Calc, ControlRecord,
    ::testing::Values(RecordLength{"IQlang", 321}, RecordLength{"IQachCaption", 327}, RecordLength{"PgmName", 322},
                      RecordLength{"IQFld", 678}, RecordLength{"CorrFld", 684}, RecordLength{"PAchFld", 678},
                      RecordLength{"SD10Fld", 677}, RecordLength{"SD05Fld", 677}, RecordLength{"ClearBtn", 381},
                      RecordLength{"CalcBrn", 384}, RecordLength{"copyrightText", 459}, RecordLength{"Text1", 427},
                      RecordLength{"Text2", 445}, RecordLength{"Text3", 446}, RecordLength{"SD15Fld", 678},
                      RecordLength{"Text4", 428}, RecordLength{"Text5", 430}, RecordLength{"Text6", 429},
                      RecordLength{"RestCaption", 326}, RecordLength{"Text7", 426}, RecordLength{"SD1Fld", 677},
                      RecordLength{"SEcaption", 310}));

TEST(CalcRecords, TheWindowRecordHasItsByteLength) { EXPECT_EQ(Calc::CalcWindowRecord().size(), 382u); }

TEST(CalcRecords, CanvasRecordsSetTransparentTwiceAndOnlySEcaptionLacksDoubleBuffer) {
  for (const ControlRow& entry : Calc::ControlRows()) {
    if (&entry.cls() != &Canvas::Class()) continue;
    EXPECT_EQ(CountEntries(entry.record(), "Transparent"), 2u) << entry.name;
    EXPECT_EQ(CountEntries(entry.record(), "DoubleBuffer"), entry.name == "SEcaption" ? 0u : 1u) << entry.name;
  }
}

TEST_F(CalcTest, StartState) {
  EXPECT_EQ(Text(Calc::kIQFld), "");
  EXPECT_EQ(Text(Calc::kCorrFld), ".60");
  EXPECT_EQ(Text(Calc::kPAchFld), "\r");
  EXPECT_EQ(Text(Calc::kSD15Fld), "\r");
  EXPECT_EQ(Text(Calc::kSD1Fld), "\r");
  EXPECT_EQ(Text(Calc::kSD10Fld), "");
  EXPECT_EQ(Text(Calc::kSD05Fld), "");
  for (Calc::Slot s : {Calc::kPAchFld, Calc::kSD1Fld, Calc::kSD15Fld, Calc::kSD10Fld, Calc::kSD05Fld})
    EXPECT_TRUE(Ctl(s)->ReadOnly());
  EXPECT_EQ(Ctl(Calc::kIQFld)->ValidationMask(), "###");
  EXPECT_EQ(Ctl(Calc::kIQFld)->MaximumCharactersAllowed(), 3);
  EXPECT_EQ(Ctl(Calc::kCorrFld)->ValidationMask(), ".###");
  EXPECT_EQ(Ctl(Calc::kCorrFld)->MaximumCharactersAllowed(), 4);
  for (const auto& [name, c] : Win().Controls()) {
    EXPECT_TRUE(static_cast<RectControl&>(*c).Enabled()) << name;
    if (auto* field = dynamic_cast<QLineEdit*>(static_cast<RectControl&>(*c).Widget())) {
      EXPECT_EQ(field->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter) << name;  // every text field
    }
  }
  EXPECT_TRUE(Ctl<Canvas>(Calc::kPgmName)->Visible());
  for (Calc::Slot s : {Calc::kIQlang, Calc::kRestCaption, Calc::kIQachCaption, Calc::kSEcaption}) {
    EXPECT_FALSE(Ctl<Canvas>(s)->Visible());
    EXPECT_TRUE(Ctl<Canvas>(s)->Backdrop());  // hidden, but already holding its picture
  }
  auto geometry = [&](Calc::Slot s) { return Ctl<RectControl>(s)->Widget()->geometry(); };
  EXPECT_EQ(geometry(Calc::kIQFld), QRect(366, 176, 53, 22));
  EXPECT_EQ(geometry(Calc::kSEcaption), QRect(123, 80, 242, 100));
  EXPECT_EQ(geometry(Calc::kcopyrightText), QRect(155, 423, 173, 22));
  EXPECT_EQ(Ctl<Label>(Calc::kText2)->Text(), "IQ-Achievement Correlation");
  EXPECT_EQ(Ctl<PushButton>(Calc::kCalcBrn)->Caption(), "Calculate");
}

TEST_F(CalcTest, TitlePictureIsLoadedOnceAndShared) {
  Win();
  Ref<Picture> title = _x_ZEFAtitle::ZEFAtitle();
  ASSERT_TRUE(title);
  EXPECT_EQ(Ctl<Canvas>(Calc::kPgmName)->Backdrop(), title);
  EXPECT_EQ(_x_ZEFAtitle::ZEFAtitle(), title);
  // The five pictures in the order the canvases are built, each once.
  EXPECT_EQ(zefa::testing::PictureLookups(),
            (std::vector<std::string>{"IQlangPix..png", "PreAchFormula.png", "ZEFAtitle.png", "Rest.png", "SEformula.png"}));
}

TEST_F(CalcTest, AMissingPictureLeavesItsCanvasEmptyAndIsAskedForAgain) {
  namespace fs = std::filesystem;
  fs::path dir = TempDir();
  fs::path exe = fs::read_symlink("/proc/self/exe").parent_path() / "resources";
  for (const char* f : {"IQlangPix..png", "PreAchFormula.png", "Rest.png", "SEformula.png"})
    fs::copy_file(exe / f, dir / f);
  zefa::testing::SetResourceDir(dir.string());  // no ZEFAtitle.png here
  constexpr CachedPicture title("ZEFAtitle.png"), ride("Ride64.png");
  EXPECT_FALSE(title.Called());
  Window& w = Win();
  EXPECT_TRUE(title.Called());  // called, and empty
  EXPECT_FALSE(ride.Called());  // the splash's own picture: the calculator never asks for it
  EXPECT_EQ(w.Controls().size(), Calc::kControlCount);
  EXPECT_FALSE(Ctl<Canvas>(Calc::kPgmName)->Backdrop());
  EXPECT_TRUE(Ctl<Canvas>(Calc::kIQlang)->Backdrop());
  Calculate("100", ".60");
  EXPECT_EQ(Text(Calc::kPAchFld), "100");
  EXPECT_FALSE(_x_ZEFAtitle::ZEFAtitle());  // looked up again, still missing
  const std::vector<std::string>& lookups = zefa::testing::PictureLookups();
  EXPECT_EQ(std::count(lookups.begin(), lookups.end(), "ZEFAtitle.png"), 2);
  // A name with a single dot is another file.
  fs::copy_file(dir / "IQlangPix..png", dir / "IQlangPix.png");
  fs::remove(dir / "IQlangPix..png");
  ResetProcessState();  // no picture loaded yet
  EXPECT_FALSE(title.Called());
  zefa::testing::SetResourceDir(dir.string());
  EXPECT_FALSE(_x_IQlangPix::IQlangPix());
}
