// The calculator's 22 controls: their records byte for byte, start state, pictures and bindings.
#include <filesystem>
#include <fstream>

#include "calc_fixture.h"
#include "calculator/calc_records.h"
#include "framework/gui/canvas.h"
#include "framework/gui/label.h"
#include "framework/gui/push_button.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/text.h"

using namespace zefa;

namespace {
size_t CountEntries(const std::string& rec, std::string_view name) {
  size_t n = 0;
  std::string key = std::string(name) + " ";
  for (size_t p = rec.find(key); p != std::string::npos; p = rec.find(key, p + 1)) ++n;
  return n;
}
}  // namespace

TEST(CalcRecords, EachRecordHasTheByteLengthOfItsTable) {
  std::map<std::string_view, size_t> want = {
      {"IQlang", 321},  {"IQachCaption", 327}, {"PgmName", 322},     {"IQFld", 678},   {"CorrFld", 684},
      {"PAchFld", 678}, {"SD10Fld", 677},      {"SD05Fld", 677},     {"ClearBtn", 381}, {"CalcBrn", 384},
      {"copyrightText", 459}, {"Text1", 427},  {"Text2", 445},       {"Text3", 446},   {"SD15Fld", 678},
      {"Text4", 428},   {"Text5", 430},        {"Text6", 429},       {"RestCaption", 326}, {"Text7", 426},
      {"SD1Fld", 677},  {"SEcaption", 310}};
  for (const ControlRow& entry : Calc::ControlRows()) {
    const std::string& rec = entry.record();
    EXPECT_EQ(rec.size(), want[entry.name]) << entry.name;
    // Every control is reached by its name alone: Index is the lowest 32-bit value, stored in 64 bits.
    size_t at = rec.find("Index ");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(rec.substr(at + 6, 8), std::string("\x00\x00\x00\x80\xFF\xFF\xFF\xFF", 8)) << entry.name;
    EXPECT_EQ(rec.substr(rec.size() - 18), std::string("InitialParent \0\0\0\0", 18)) << entry.name;
    EXPECT_EQ(rec.compare(0, 5, "Name "), 0);
  }
  EXPECT_EQ(Calc::CalcWindowRecord().size(), 382u);
}

TEST(CalcRecords, CanvasRecordsSetTransparentTwiceAndOnlySEcaptionLacksDoubleBuffer) {
  for (const ControlRow& entry : Calc::ControlRows()) {
    if (&entry.cls() != &Canvas::Class()) continue;
    EXPECT_EQ(CountEntries(entry.record(), "Transparent"), 2u) << entry.name;
    EXPECT_EQ(CountEntries(entry.record(), "DoubleBuffer"), entry.name == "SEcaption" ? 0u : 1u) << entry.name;
  }
}

TEST(CalcRecords, RightsNoticeIs31CharactersIn32Bytes) {
  EXPECT_EQ(Calc::kRightsNotice.size(), 32u);
  EXPECT_EQ(Len(Calc::kRightsNotice), 31);
  const std::string& rec = Calc::ControlRows()[10].record();
  EXPECT_NE(rec.find(std::string("Value \x20\x00\x00\x00", 10) + std::string(Calc::kRightsNotice)), std::string::npos);
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
  for (const auto& [name, c] : Win().Controls()) EXPECT_TRUE(static_cast<RectControl&>(*c).Enabled()) << name;
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

TEST_F(CalcTest, EveryBindingCallsItsHandlerOnTheWindow) {
  int bound = 0;
  for (const HandlerRow& h : Calc::HandlerRows()) {
    if (h.control == kNoControl) continue;
    Ref<Object> c = CallSlot(&Win(), h.control).ObjectRef();
    Binding* binding = c->BindingFor(h.event.number);
    ASSERT_TRUE(binding) << h.name;
    EXPECT_EQ(binding->delegate->FunctionEntry(), Calc::Class().table[static_cast<size_t>(h.slot)].fn);
    EXPECT_EQ(binding->delegate->Target(), &Win());
    EXPECT_EQ(binding->delegate->Flag(), 1);
    EXPECT_EQ(binding->delegate->Signature(), h.event.signature.InDelegate());
    EXPECT_EQ(binding->stub, AddHandler::Stub(h.event.number));
    ++bound;
  }
  EXPECT_EQ(bound, 31);
  // Spot checks against the event tables: the same name has different numbers per class.
  EXPECT_TRUE(Win().ControlByName("Text4")->BindingFor(16));  // Label MouseDown
  EXPECT_FALSE(Win().ControlByName("Text6")->BindingFor(16));
  EXPECT_TRUE(Win().ControlByName("PAchFld")->BindingFor(16));  // TextArea GotFocus
  EXPECT_TRUE(Win().ControlByName("CalcBrn")->BindingFor(15));  // PushButton Action
  for (const char* none : {"copyrightText", "IQlang", "PgmName", "SEcaption"})
    for (int e = 0; e < 26; ++e) EXPECT_FALSE(Win().ControlByName(none)->BindingFor(e)) << none;
  EXPECT_FALSE(RaiseEvent(*Win().ControlByName("Text4"), "MouseDown", std::vector<Value>{Value(1), Value(2)}).Boolean());
}

TEST_F(CalcTest, TitlePictureIsLoadedOnceAndShared) {
  Window& w = Win();
  Ref<Picture> title = _x_ZEFAtitle::ZEFAtitle();
  ASSERT_TRUE(title);
  EXPECT_EQ(Ctl<Canvas>(Calc::kPgmName)->Backdrop(), title);
  EXPECT_EQ(_x_ZEFAtitle::ZEFAtitle(), title);
  int lookups = 0;
  for (const std::string& n : zefa::testing::PictureLookups()) lookups += n == "ZEFAtitle.png";
  EXPECT_EQ(lookups, 1);
  // The five pictures in the order the canvases are built, each once.
  EXPECT_EQ(zefa::testing::PictureLookups(),
            (std::vector<std::string>{"IQlangPix..png", "PreAchFormula.png", "ZEFAtitle.png", "Rest.png", "SEformula.png"}));
  (void)w;
}

TEST_F(CalcTest, AMissingPictureLeavesItsCanvasEmptyAndIsAskedForAgain) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / "zefa-missing-pictures";
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::path exe = fs::read_symlink("/proc/self/exe").parent_path() / "resources";
  for (const char* f : {"IQlangPix..png", "PreAchFormula.png", "Rest.png", "SEformula.png"})
    fs::copy_file(exe / f, dir / f);
  zefa::testing::SetResourceDir(dir.string());  // no ZEFAtitle.png here
  Window& w = Win();
  EXPECT_EQ(w.Controls().size(), 22u);
  EXPECT_FALSE(Ctl<Canvas>(Calc::kPgmName)->Backdrop());
  EXPECT_TRUE(Ctl<Canvas>(Calc::kIQlang)->Backdrop());
  Calculate("100", ".60");
  EXPECT_EQ(Text(Calc::kPAchFld), "100");
  EXPECT_FALSE(_x_ZEFAtitle::ZEFAtitle());  // looked up again, still missing
  int lookups = 0;
  for (const std::string& n : zefa::testing::PictureLookups()) lookups += n == "ZEFAtitle.png";
  EXPECT_EQ(lookups, 2);
  // A name with a single dot is another file.
  fs::copy_file(dir / "IQlangPix..png", dir / "IQlangPix.png");
  fs::remove(dir / "IQlangPix..png");
  zefa::testing::ResetRegistered();
  EXPECT_FALSE(_x_IQlangPix::IQlangPix());
  zefa::testing::SetResourceDir("");
  fs::remove_all(dir);
}
