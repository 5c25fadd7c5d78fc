#pragma once
// Class records: what the runtime knows of a class, built once and found by lookup.
#include <atomic>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "framework/runtime/object.h"
#include "framework/runtime/value.h"

namespace zefa {

// One call shape for class-table operations, delegates and hooks.
using Method = Value (*)(Object* self, Args args);

// Makes the C++ object behind a runtime object of the given class.
using Factory = Object* (*)(const ClassRecord& cls);

enum class PropType { String, Integer, Enum8, Enum1, Boolean, Color, Single, Double };
using Setter = void (*)(Object& self, const Value& v);
// The setter of a record entry that a class accepts and has no use for.
inline void Ignore(Object&, const Value&) {}

struct Operation {
  std::string name;
  std::string signature;  // the parameter text, e.g. "(String, Object)"
  Method fn;
  int arity = 0;  // how many arguments a call hands it, counted from the signature when it is added
};

// How many parameters a signature text lists: "(String, Integer) as Object" 2, "()" and "(  )" 0.
int ParameterCount(std::string_view signature);

// A parameter list and result spelled once. The class table and the method list write it
// "(TextArea, String) as Boolean", a delegate made for it "( TextArea, String ) as Boolean":
// the two spellings the runtime stores.
struct Signature {
  std::string_view params;
  std::string_view result;  // empty: no result
  std::string InClassTable() const;
  std::string InDelegate() const;
};

// A class-table operation as a row of a constant table: the slot it must take (the class's Slot
// enumerator), the name the runtime stores, its signature text and the method.
struct OperationRow {
  int slot;
  std::string_view name;
  std::string_view signature;
  Method fn;
};
// Row i takes slot first + i, and the rows end at slot end: a table checked against its enum.
constexpr bool InSlotOrder(std::span<const OperationRow> rows, int first, int end) {
  if (rows.size() != static_cast<size_t>(end - first)) return false;
  for (size_t i = 0; i < rows.size(); ++i)
    if (rows[i].slot != first + static_cast<int>(i)) return false;
  return true;
}
// A row whose stored name is its enumerator's spelling: ZEFA_OPERATION(Hide, "()", fn) takes slot
// kHide under the name "Hide". ZEFA_OPERATION_NAMED gives the stored name where the two differ.
#define ZEFA_OPERATION(name, signature, fn) ::zefa::OperationRow{k##name, #name, signature, fn}
#define ZEFA_OPERATION_NAMED(slot, name, signature, fn) ::zefa::OperationRow{k##slot, name, signature, fn}

// A class's own event as a row of a constant table: the number it must take (the class's Event
// enumerator) and the name the runtime stores.
struct EventRow {
  int number;
  std::string_view name;
};
// Row i takes number first + i, the rows end at number end, and the names go alphabetically, as
// a class's own events do: a table checked against its enum.
constexpr bool InEventOrder(std::span<const EventRow> rows, int first, int end) {
  if (rows.size() != static_cast<size_t>(end - first)) return false;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].number != first + static_cast<int>(i)) return false;
    if (i > 0 && !(rows[i - 1].name < rows[i].name)) return false;
  }
  return true;
}
// ZEFA_EVENT(KeyDown) takes number kKeyDown under the name "KeyDown"; ZEFA_EVENT_NAMED gives the
// stored name where the enumerator is spelt otherwise.
#define ZEFA_EVENT(name) ::zefa::EventRow{k##name, #name}
#define ZEFA_EVENT_NAMED(number, name) ::zefa::EventRow{k##number, name}

struct MethodEntry {
  std::string name;
  std::string signature;
  Method fn;
  std::vector<std::pair<std::string, std::string>> attributes;  // e.g. {"Hidden", ""}
};

struct InterfaceEntry {
  std::string name;
  std::vector<Method> methods;
};

struct PropertyDescriptor {
  std::string name;
  PropType type;
  Setter set;
};

class ClassOnce;

struct ClassRecord {
  std::string name;                         // runtime class name; also the key of lookups by name
  const ClassRecord* super = nullptr;       // base class; nil for a root class
  std::vector<Operation> table;             // class table: the base's operations first, in its order
  std::vector<std::string> events;          // full event list, base's events first: index = event number
  std::vector<Method> hooks;                // event-hook table, one slot per event; null = not implemented
  std::vector<MethodEntry> methods;         // method list read by introspection
  std::vector<InterfaceEntry> interfaces;   // interfaces and the methods bound to them
  std::vector<PropertyDescriptor> properties;  // own properties; lookups walk to the bases
  Factory factory = nullptr;                // inherited from the base unless the class sets its own

  int Slot(std::string_view op) const;        // first slot of that name, or -1
  int EventNumber(std::string_view event) const;  // case-insensitive, or -1
  const PropertyDescriptor* FindProperty(std::string_view name) const;  // case-insensitive, bases too
  bool IsA(const ClassRecord& other) const;

  void AddOperation(std::string op, std::string signature, Method fn);
  void AddOperations(std::span<const OperationRow> rows);  // appends them in the rows' order
  void ReplaceOperation(std::string_view op, Method fn);  // keeps the slot
  void AddEvents(std::span<const EventRow> own);  // appends and widens the hook table
  void AddTableToMethodList();  // one method-list entry per class-table operation, in slot order
  void SetHook(std::string_view event, Method fn);

 private:
  friend const ClassRecord& BuildClassOnce(ClassOnce&, std::string, const ClassRecord& (*)(),
                                           void (*)(ClassRecord&));
  const PropertyDescriptor* FindOwnProperty(const std::string& lowered) const;
  void IndexProperties();
  // This class's own properties by lower-cased name, made once the record is filled and before it
  // is published, so that lookups from any thread only read it. Until then lookups walk the list.
  std::unordered_map<std::string, const PropertyDescriptor*> propertyIndex_;
  bool indexed_ = false;
};

// Makes a record that starts as a copy of its base's table, events and factory, and publishes
// it under its name at once so that a lookup during the rest of the building finds it.
ClassRecord& NewClassRecord(std::string name, const ClassRecord* super);
const ClassRecord* FindClassRecord(std::string_view name);

// Where a class's Class() keeps its record: `static ClassOnce once;` (constant-initialised).
class ClassOnce {
 public:
  constexpr ClassOnce() = default;

 private:
  friend const ClassRecord& BuildClassOnce(ClassOnce&, std::string, const ClassRecord& (*)(),
                                           void (*)(ClassRecord&));
  std::atomic<const ClassRecord*> built_{nullptr};
  ClassRecord* building_ = nullptr;  // guarded by the building lock
};

// The record of a class, made by NewClassRecord under the base's record and filled on the first
// call, however many threads make that call at once (the wrong-thread exception is raised on a
// worker). A call back into the same Class() while it is filled gets the record as built so far.
const ClassRecord& BuildClassOnce(ClassOnce& once, std::string name, const ClassRecord& (*super)() = nullptr,
                                  void (*fill)(ClassRecord&) = nullptr);

// A new object of the class, not yet constructed, owned by the caller.
Ref<Object> RuntimeNewObject(const ClassRecord& cls);
// The same object seen as that class; nil stays nil; a mismatch raises IllegalCastException.
Ref<Object> RuntimeCheckCast(const Ref<Object>& obj, const ClassRecord& cls);

template <class T>
Ref<T> CheckCast(const Ref<Object>& obj) {
  return Ref<T>(static_cast<T*>(RuntimeCheckCast(obj, T::Class()).get()));
}
// The object seen as a T: nil raises NilObjectException, another class IllegalCastException.
Object& RuntimeCheckCastNonNil(Object* obj, const ClassRecord& cls);
template <class T>
T& CheckedAs(Object* obj) {
  static_assert(std::is_base_of_v<Object, T>);
  return static_cast<T&>(RuntimeCheckCastNonNil(obj, T::Class()));
}
template <class T>
T& CheckedAs(Object& obj) {
  return CheckedAs<T>(&obj);
}
// The object as a T, or null when it is nil or of another class.
template <class T>
T* AsOrNull(Object* obj) {
  static_assert(std::is_base_of_v<Object, T>);
  return obj && obj->RuntimeClass().IsA(T::Class()) ? static_cast<T*>(obj) : nullptr;
}

// Calls a class-table operation of the receiver by slot; a slot it lacks or a count of arguments
// its signature does not take raises OutOfBoundsException.
Value CallSlot(Object* self, int slot, Args args = {});

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace zefa
