#include "framework/runtime/class_record.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

#include "framework/runtime/exceptions.h"

namespace zefa {
namespace {

std::map<std::string, std::unique_ptr<ClassRecord>, std::less<>>& Registry() {
  static std::map<std::string, std::unique_ptr<ClassRecord>, std::less<>> records;
  return records;
}
// A record may be built on a worker thread (the wrong-thread exception is raised there).
std::mutex& RegistryLock() {
  static std::mutex lock;
  return lock;
}

// One lock for all building: a record's filling builds its base's and others' records on the
// same thread, so one recursive lock is never taken in two orders.
std::recursive_mutex& BuildLock() {
  static std::recursive_mutex lock;
  return lock;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Spell(const Signature& sig, std::string_view open, std::string_view close) {
  std::string s = std::string(open) + std::string(sig.params) + std::string(close);
  if (!sig.result.empty()) s += " as " + std::string(sig.result);
  return s;
}

}  // namespace

std::string Signature::InClassTable() const { return Spell(*this, "(", ")"); }
std::string Signature::InDelegate() const { return Spell(*this, "( ", " )"); }

int ParameterCount(std::string_view signature) {
  size_t open = signature.find('(');
  size_t close = signature.find(')', open);
  if (open == std::string_view::npos || close == std::string_view::npos) return 0;
  std::string_view params = signature.substr(open + 1, close - open - 1);
  if (params.find_first_not_of(' ') == std::string_view::npos) return 0;
  return 1 + static_cast<int>(std::count(params.begin(), params.end(), ','));
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

int ClassRecord::Slot(std::string_view op) const {
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i].name == op) return static_cast<int>(i);
  return -1;
}

int ClassRecord::EventNumber(std::string_view event) const {
  for (size_t i = 0; i < events.size(); ++i)
    if (EqualsIgnoringCase(events[i], event)) return static_cast<int>(i);
  return -1;
}

const PropertyDescriptor* ClassRecord::FindProperty(std::string_view prop) const {
  std::string key(prop);
  for (char& ch : key) ch = Lower(ch);
  // The class's own descriptors win over a base's of the same name.
  for (const ClassRecord* c = this; c; c = c->super)
    if (const PropertyDescriptor* p = c->FindOwnProperty(key)) return p;
  return nullptr;
}

const PropertyDescriptor* ClassRecord::FindOwnProperty(const std::string& lowered) const {
  if (indexed_) {
    auto it = propertyIndex_.find(lowered);
    return it == propertyIndex_.end() ? nullptr : it->second;
  }
  for (const PropertyDescriptor& p : properties)
    if (EqualsIgnoringCase(p.name, lowered)) return &p;
  return nullptr;
}

void ClassRecord::IndexProperties() {
  for (const PropertyDescriptor& p : properties) {
    std::string key(p.name);
    for (char& ch : key) ch = Lower(ch);
    propertyIndex_.emplace(std::move(key), &p);  // the first of a name, as the walk finds it
  }
  indexed_ = true;
}

bool ClassRecord::IsA(const ClassRecord& other) const {
  for (const ClassRecord* c = this; c; c = c->super)
    if (c == &other) return true;
  return false;
}

void ClassRecord::AddOperation(std::string op, std::string signature, Method fn) {
  int arity = ParameterCount(signature);
  table.push_back({std::move(op), std::move(signature), fn, arity});
}

void ClassRecord::AddOperations(std::span<const OperationRow> rows) {
  for (const OperationRow& r : rows) AddOperation(std::string(r.name), std::string(r.signature), r.fn);
}

void ClassRecord::ReplaceOperation(std::string_view op, Method fn) {
  int slot = Slot(op);
  if (slot < 0) Raise<FunctionNotFoundException>(name + " has no operation " + std::string(op));
  table[static_cast<size_t>(slot)].fn = fn;
}

void ClassRecord::AddEvents(std::span<const EventRow> own) {
  for (const EventRow& e : own) events.emplace_back(e.name);
  hooks.resize(events.size(), nullptr);
}

void ClassRecord::AddTableToMethodList() {
  for (const Operation& op : table) methods.push_back({op.name, op.signature, op.fn, {}});
}

void ClassRecord::SetHook(std::string_view event, Method fn) {
  int n = EventNumber(event);
  if (n < 0) Raise<FunctionNotFoundException>(name + " has no event " + std::string(event));
  hooks[static_cast<size_t>(n)] = fn;
}

ClassRecord& NewClassRecord(std::string name, const ClassRecord* super) {
  auto rec = std::make_unique<ClassRecord>();
  rec->name = name;
  rec->super = super;
  if (super) {
    rec->table = super->table;
    rec->events = super->events;
    rec->factory = super->factory;
  }
  rec->hooks.assign(rec->events.size(), nullptr);
  ClassRecord& ref = *rec;
  std::lock_guard<std::mutex> hold(RegistryLock());
  Registry()[std::move(name)] = std::move(rec);
  return ref;
}

const ClassRecord& BuildClassOnce(ClassOnce& once, std::string name, const ClassRecord& (*super)(),
                                  void (*fill)(ClassRecord&)) {
  if (const ClassRecord* built = once.built_.load(std::memory_order_acquire)) return *built;
  std::lock_guard<std::recursive_mutex> hold(BuildLock());
  if (const ClassRecord* built = once.built_.load(std::memory_order_acquire)) return *built;
  if (once.building_) return *once.building_;  // called back from its own filling
  ClassRecord& rec = NewClassRecord(std::move(name), super ? &super() : nullptr);
  once.building_ = &rec;
  // A filling that fails leaves the record as far as it got: lookups already find it, and a
  // second record of that name would take its place under them.
  struct Publish {
    ClassOnce& once;
    ~Publish() {
      once.built_.store(once.building_, std::memory_order_release);
      once.building_ = nullptr;
    }
  } publish{once};
  if (fill) fill(rec);
  rec.IndexProperties();
  return rec;
}

const ClassRecord* FindClassRecord(std::string_view name) {
  std::lock_guard<std::mutex> hold(RegistryLock());
  auto it = Registry().find(name);
  return it == Registry().end() ? nullptr : it->second.get();
}

#define ZEFA_VALUE_BOX_RECORD(Name)     \
  const ClassRecord& Name::Class() {    \
    static ClassOnce once;              \
    return BuildClassOnce(once, #Name); \
  }
ZEFA_VALUE_BOX_RECORD(BooleanBox)
ZEFA_VALUE_BOX_RECORD(IntegerBox)
ZEFA_VALUE_BOX_RECORD(DoubleBox)
ZEFA_VALUE_BOX_RECORD(StringBox)
ZEFA_VALUE_BOX_RECORD(PtrBox)
#undef ZEFA_VALUE_BOX_RECORD

Ref<Object> RuntimeNewObject(const ClassRecord& cls) {
  if (!cls.factory) Raise<RuntimeException>("class " + cls.name + " cannot make objects");
  return Ref<Object>(cls.factory(cls));
}

Ref<Object> RuntimeCheckCast(const Ref<Object>& obj, const ClassRecord& cls) {
  if (obj) RuntimeCheckCastNonNil(obj.get(), cls);
  return obj;
}

Object& RuntimeCheckCastNonNil(Object* obj, const ClassRecord& cls) {
  if (!obj) RaiseNilObjectException();
  if (!obj->RuntimeClass().IsA(cls))
    Raise<IllegalCastException>("an object of class " + obj->RuntimeClass().name + " is not a " + cls.name);
  return *obj;
}

Value CallSlot(Object* self, int slot, Args args) {
  if (!self) RaiseNilObjectException();
  const auto& table = self->RuntimeClass().table;
  if (slot < 0 || slot >= static_cast<int>(table.size()))
    Raise<OutOfBoundsException>("class table slot " + std::to_string(slot) + " of " + self->RuntimeClass().name);
  const Operation& op = table[static_cast<size_t>(slot)];
  // The operations read their arguments by position, so a wrong count must stop here.
  if (static_cast<int>(args.size()) != op.arity)
    Raise<OutOfBoundsException>(op.name + " of " + self->RuntimeClass().name + " takes " + std::to_string(op.arity) +
                                " arguments, not " + std::to_string(args.size()));
  return op.fn(self, args);
}

}  // namespace zefa
