#pragma once
// Layout records: a run of entries "Name<blank><value bytes>" whose value widths follow from the
// declared type of the named property. They set a window or control once, when it is built.
#include <cstdint>
#include <string>
#include <string_view>

namespace zefa {

class Object;

// Applies every entry of the record to the object, in record order, through the property
// descriptors of its class and bases. A record that ends inside an entry, or names a property
// the class lacks, raises UnsupportedFormatException naming the property and byte offset; the
// entries before it stay applied and nothing after it is read.
void SetProperties(Object& obj, std::string_view record);

// Writes records so that each reads like the table of its entries.
class LayoutWriter {
 public:
  LayoutWriter& String(std::string_view name, std::string_view value);
  LayoutWriter& Integer(std::string_view name, int64_t value);
  LayoutWriter& Enum(std::string_view name, int64_t value) { return Integer(name, value); }
  LayoutWriter& Byte(std::string_view name, uint8_t value);
  LayoutWriter& Boolean(std::string_view name, bool value) { return Byte(name, value ? 1 : 0); }
  LayoutWriter& Color(std::string_view name, uint32_t rgb);
  LayoutWriter& Single(std::string_view name, float value);
  LayoutWriter& Double(std::string_view name, double value);
  const std::string& Bytes() const { return bytes_; }

 private:
  void Name(std::string_view name);
  void Raw(const void* p, size_t n);
  std::string bytes_;
};

}  // namespace zefa
