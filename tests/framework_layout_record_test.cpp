// The Layout record reader: widths by declared type, case-blind names, and clean failures
// (corpus_replay feeds it every prefix of the program's own records).
#include <gtest/gtest.h>

#include <cstring>

#include "framework/runtime/class_record.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/layout_record.h"
#include "raises.h"

using namespace zefa;

namespace {

// An object that writes down every property set on it.
struct Recorder : Object {
  using Object::Object;
  static const ClassRecord& Class();
  std::vector<std::string> log;
};

template <PropType T>
void Note(Object& o, const Value& v) {
  auto& r = CheckedAs<Recorder>(o);
  switch (T) {
    case PropType::String: r.log.push_back("s:" + v.String()); break;
    case PropType::Boolean: r.log.push_back(v.Boolean() ? "b:1" : "b:0"); break;
    case PropType::Single:
    case PropType::Double: r.log.push_back("d:" + std::to_string(v.Double())); break;
    default: r.log.push_back("i:" + std::to_string(v.Integer())); break;
  }
}

const ClassRecord& RecorderBaseClass() {
  static ClassOnce once;
  return BuildClassOnce(once, "TestRecorderBase", nullptr, [](ClassRecord& rec) {
    rec.properties = {{"Title", PropType::String, Note<PropType::String>},
                      {"Left", PropType::Integer, Note<PropType::Integer>}};
  });
}

const ClassRecord& Recorder::Class() {
  static ClassOnce once;
  return BuildClassOnce(once, "TestRecorder", RecorderBaseClass, [](ClassRecord& sub) {
    sub.properties = {
        {"MultiLine", PropType::Boolean, Note<PropType::Boolean>},
        {"FontUnit", PropType::Enum1, Note<PropType::Enum1>},
        {"TextAlignment", PropType::Enum8, Note<PropType::Enum8>},
        {"TextColor", PropType::Color, Note<PropType::Color>},
        {"FontSize", PropType::Single, Note<PropType::Single>},
        {"LineHeight", PropType::Double, Note<PropType::Double>},
    };
    sub.factory = [](const ClassRecord& c) -> Object* { return new Recorder(c); };
  });
}

Ref<Recorder> NewRecorder() { return CheckCast<Recorder>(RuntimeNewObject(Recorder::Class())); }

std::string AllTypesRecord() {
  return LayoutWriter()
      .String("Title", "ZEFA \xC2\xA9")
      .Byte("FontUnit", 7)
      .Boolean("Multiline", true)  // another letter case than the class spells it
      .Integer("Left", -2147483648LL)
      .Enum("TextAlignment", 2)
      .Color("TextColor", 0x800000)
      .Single("FontSize", 12.0f)
      .Double("LineHeight", 17.0)
      .Bytes();
}

}  // namespace

TEST(LayoutRecord, AppliesEveryTypeInRecordOrder) {
  auto r = NewRecorder();
  SetProperties(*r, AllTypesRecord());
  std::vector<std::string> want = {"s:ZEFA \xC2\xA9", "i:7", "b:1", "i:-2147483648", "i:2", "i:8388608",
                                   "d:12.000000", "d:17.000000"};
  EXPECT_EQ(r->log, want);
}

TEST(LayoutRecord, ValuesAreStoredAsTheirTablesSay) {
  std::string rec = LayoutWriter().Integer("Index", -2147483648LL).Bytes();
  EXPECT_EQ(rec.substr(6), std::string("\x00\x00\x00\x80\xFF\xFF\xFF\xFF", 8));
  EXPECT_EQ(LayoutWriter().Single("S", 12.0f).Bytes().substr(2), std::string("\x00\x00\x40\x41", 4));
  EXPECT_EQ(LayoutWriter().Double("D", 1.0).Bytes().substr(2), std::string("\x00\x00\x00\x00\x00\x00\xF0\x3F", 8));
  EXPECT_EQ(LayoutWriter().Color("C", 0x666666).Bytes().substr(2), std::string("\x66\x66\x66\x00", 4));
  EXPECT_EQ(LayoutWriter().String("V", "\r").Bytes().substr(2), std::string("\x01\x00\x00\x00\x0D", 5));
  std::string timer = LayoutWriter().Enum("RunMode", 1).Integer("Period", 4000).Bytes();
  EXPECT_EQ(timer.size(), 31u);
}

TEST(LayoutRecord, EveryTruncatedPrefixFailsCleanlyAndNamesItsPlace) {
  std::string full = AllTypesRecord();
  auto whole = NewRecorder();
  SetProperties(*whole, full);
  for (size_t n = 1; n < full.size(); ++n) {
    // A copy of exactly n bytes, so a read past the end would be caught by the sanitizers.
    std::unique_ptr<char[]> bytes(new char[n]);
    std::memcpy(bytes.get(), full.data(), n);
    auto r = NewRecorder();
    try {
      SetProperties(*r, std::string_view(bytes.get(), n));
    } catch (const RuntimeError& e) {
      EXPECT_TRUE(e.IsA(UnsupportedFormatException::Class())) << n;
      EXPECT_NE(e.Message().find("byte offset"), std::string::npos) << e.Message();
      EXPECT_NE(e.Message().find("property \""), std::string::npos) << e.Message();
    }
    // Whether the cut fell between two entries or inside one, only the whole entries before it
    // were applied, as they read in full.
    ASSERT_LE(r->log.size(), whole->log.size()) << n;
    EXPECT_EQ(r->log, std::vector<std::string>(whole->log.begin(), whole->log.begin() + r->log.size())) << n;
  }
}

TEST(LayoutRecord, UnknownNameStopsBeforeAnythingAfterIt) {
  std::string rec = LayoutWriter().Integer("Left", 5).Integer("Nonsense", 1).Integer("Left", 6).Bytes();
  auto r = NewRecorder();
  try {
    SetProperties(*r, rec);
    FAIL() << "an unknown name must raise";
  } catch (const RuntimeError& e) {
    EXPECT_NE(e.Message().find("\"Nonsense\" at byte offset 13"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(r->log, std::vector<std::string>{"i:5"});
}

TEST(LayoutRecord, MalformedNamesAndHugeCountsRaise) {
  auto r = NewRecorder();
  // A record that ends inside a name, where the bytes after it in memory would complete the entry.
  std::string whole = LayoutWriter().Integer("Left", 5).Bytes();
  EXPECT_TRUE(Raises([&] { SetProperties(*r, std::string_view(whole).substr(0, 4)); },
                     UnsupportedFormatException::Class()));
  EXPECT_THROW(SetProperties(*r, std::string_view(" x", 2)), RuntimeError);
  EXPECT_THROW(SetProperties(*r, std::string_view("\xFF\xFE", 2)), RuntimeError);
  // A String whose count runs past the end must not be read.
  std::string s = "Title " + std::string("\xFF\xFF\xFF\x7F", 4) + "abc";
  EXPECT_THROW(SetProperties(*r, s), RuntimeError);
  EXPECT_TRUE(r->log.empty());
  SetProperties(*r, "");  // an empty record sets nothing
  EXPECT_TRUE(r->log.empty());
}
