#include "framework/runtime/layout_record.h"

#include <bit>
#include <cstring>

#include "framework/runtime/class_record.h"
#include "framework/runtime/exceptions.h"

static_assert(std::endian::native == std::endian::little, "layout records are little-endian");

namespace zefa {
namespace {

// Holds the record's extent and checks the remaining length before every read.
class Reader {
 public:
  explicit Reader(std::string_view rec) : rec_(rec) {}
  bool AtEnd() const { return pos_ >= rec_.size(); }
  size_t Offset() const { return pos_; }
  size_t Remaining() const { return rec_.size() - pos_; }

  // The property name up to its blank; empty when the record ends first or the name is malformed.
  bool ReadName(std::string_view& name) {
    size_t start = pos_;
    while (pos_ < rec_.size() && IsNameChar(rec_[pos_])) ++pos_;
    name = rec_.substr(start, pos_ - start);
    if (pos_ == start || pos_ >= rec_.size() || rec_[pos_] != ' ') return false;
    ++pos_;
    return true;
  }
  bool Take(void* out, size_t n) {
    if (Remaining() < n) return false;
    std::memcpy(out, rec_.data() + pos_, n);
    pos_ += n;
    return true;
  }
  bool TakeText(size_t n, std::string& out) {
    if (Remaining() < n) return false;
    out.assign(rec_.data() + pos_, n);
    pos_ += n;
    return true;
  }

 private:
  static bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  }
  std::string_view rec_;
  size_t pos_ = 0;
};

[[noreturn]] void Fail(const std::string& what, std::string_view prop, size_t offset) {
  Raise<UnsupportedFormatException>("layout record: " + what + " for property \"" + std::string(prop) +
                                    "\" at byte offset " + std::to_string(offset));
}

bool ReadValue(Reader& r, PropType type, Value& out) {
  switch (type) {
    case PropType::String: {
      uint32_t n = 0;
      std::string s;
      if (!r.Take(&n, 4) || !r.TakeText(n, s)) return false;
      out = Value(std::move(s));
      return true;
    }
    case PropType::Integer:
    case PropType::Enum8: {
      int64_t v = 0;
      if (!r.Take(&v, 8)) return false;
      out = Value(v);
      return true;
    }
    case PropType::Enum1: {
      uint8_t v = 0;
      if (!r.Take(&v, 1)) return false;
      out = Value(int64_t{v});
      return true;
    }
    case PropType::Boolean: {
      uint8_t v = 0;
      if (!r.Take(&v, 1)) return false;
      out = Value(v != 0);
      return true;
    }
    case PropType::Color: {
      uint32_t v = 0;
      if (!r.Take(&v, 4)) return false;
      out = Value(int64_t{v});
      return true;
    }
    case PropType::Single: {
      float v = 0;
      if (!r.Take(&v, 4)) return false;
      out = Value(double{v});
      return true;
    }
    case PropType::Double: {
      double v = 0;
      if (!r.Take(&v, 8)) return false;
      out = Value(v);
      return true;
    }
  }
  return false;
}

}  // namespace

void SetProperties(Object& obj, std::string_view record) {
  Reader r(record);
  while (!r.AtEnd()) {
    size_t entryStart = r.Offset();
    std::string_view name;
    if (!r.ReadName(name)) Fail(r.AtEnd() ? "the record ends inside the name" : "a malformed name", name, entryStart);
    const PropertyDescriptor* prop = obj.RuntimeClass().FindProperty(name);
    if (!prop) Fail("unknown property of class " + obj.RuntimeClass().name, name, entryStart);
    Value v;
    if (!ReadValue(r, prop->type, v)) Fail("the record ends inside the value", name, entryStart);
    prop->set(obj, v);
  }
}

void LayoutWriter::Name(std::string_view name) {
  bytes_.append(name);
  bytes_.push_back(' ');
}

void LayoutWriter::Raw(const void* p, size_t n) { bytes_.append(static_cast<const char*>(p), n); }

LayoutWriter& LayoutWriter::String(std::string_view name, std::string_view value) {
  Name(name);
  uint32_t n = static_cast<uint32_t>(value.size());
  Raw(&n, 4);
  bytes_.append(value);
  return *this;
}
LayoutWriter& LayoutWriter::Integer(std::string_view name, int64_t value) {
  Name(name);
  Raw(&value, 8);
  return *this;
}
LayoutWriter& LayoutWriter::Byte(std::string_view name, uint8_t value) {
  Name(name);
  Raw(&value, 1);
  return *this;
}
LayoutWriter& LayoutWriter::Color(std::string_view name, uint32_t rgb) {
  Name(name);
  Raw(&rgb, 4);
  return *this;
}
LayoutWriter& LayoutWriter::Single(std::string_view name, float value) {
  Name(name);
  Raw(&value, 4);
  return *this;
}
LayoutWriter& LayoutWriter::Double(std::string_view name, double value) {
  Name(name);
  Raw(&value, 8);
  return *this;
}

}  // namespace zefa
