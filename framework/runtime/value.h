#pragma once
// The one value shape that class-table operations, delegates and hooks take and return.
#include <cstdint>
#include <span>
#include <string>
#include <variant>

#include "framework/runtime/object.h"

namespace zefa {

class Value {
 public:
  Value() = default;
  Value(bool b) : v_(b) {}
  Value(int v) : v_(int64_t{v}) {}
  Value(int64_t v) : v_(v) {}
  Value(double d) : v_(d) {}
  Value(const char* s) : v_(std::string(s)) {}
  Value(std::string s) : v_(std::move(s)) {}
  // A nil reference is the nil value.
  template <class T>
  Value(Ref<T> o) : v_(Wrap(o.get())) {}
  Value(Object* o) : v_(Wrap(o)) {}
  Value(const void* p) : v_(p) {}  // a raw pointer, such as a class record passed as Ptr

  bool IsNil() const { return v_.index() == 0; }
  bool Boolean() const;
  int64_t Integer() const;
  double Double() const;
  const std::string& String() const;
  Ref<Object> ObjectRef() const;  // nil for a nil value
  const void* Pointer() const;

 private:
  using Variant = std::variant<std::monostate, bool, int64_t, double, std::string, Ref<Object>, const void*>;
  static Variant Wrap(Object* o) { return o ? Variant(Ref<Object>(o)) : Variant(); }
  std::variant<std::monostate, bool, int64_t, double, std::string, Ref<Object>, const void*> v_;
};

using Args = std::span<const Value>;

// Class records of the boxes that wrap a value that is no object (one per kind: Boolean,
// Integer, Double, String, Ptr) so that it can travel as one. Records only: nothing makes a box.
struct BooleanBox { static const ClassRecord& Class(); };
struct IntegerBox { static const ClassRecord& Class(); };
struct DoubleBox { static const ClassRecord& Class(); };
struct StringBox { static const ClassRecord& Class(); };
struct PtrBox { static const ClassRecord& Class(); };

}  // namespace zefa
