#include "framework/runtime/object.h"

#include <vector>

#include "framework/runtime/class_record.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/value.h"

namespace zefa {

struct Object::Bindings {
  std::vector<Binding> byEvent;
};

Object::Object(const ClassRecord& cls) : cls_(&cls) {}
Object::~Object() = default;

Binding* Object::BindingFor(int event) const {
  if (!bindings_ || event < 0 || event >= static_cast<int>(bindings_->byEvent.size())) return nullptr;
  Binding& b = bindings_->byEvent[static_cast<size_t>(event)];
  return b.delegate ? &b : nullptr;
}

void Object::SetBinding(int event, Binding binding) {
  if (!bindings_) bindings_ = std::make_unique<Bindings>();
  if (event >= static_cast<int>(bindings_->byEvent.size())) bindings_->byEvent.resize(static_cast<size_t>(event) + 1);
  bindings_->byEvent[static_cast<size_t>(event)] = std::move(binding);
}

// A value read as another kind than it holds is a type mismatch, never a silent zero.
bool Value::Boolean() const {
  if (auto* b = std::get_if<bool>(&v_)) return *b;
  RaiseTypeMismatch("Boolean");
}
int64_t Value::Integer() const {
  if (auto* i = std::get_if<int64_t>(&v_)) return *i;
  RaiseTypeMismatch("Integer");
}
double Value::Double() const {
  if (auto* d = std::get_if<double>(&v_)) return *d;
  if (auto* i = std::get_if<int64_t>(&v_)) return static_cast<double>(*i);
  RaiseTypeMismatch("Double");
}
const std::string& Value::String() const {
  if (auto* s = std::get_if<std::string>(&v_)) return *s;
  RaiseTypeMismatch("String");
}
Ref<Object> Value::ObjectRef() const {
  if (auto* o = std::get_if<Ref<Object>>(&v_)) return *o;
  if (IsNil()) return nullptr;
  RaiseTypeMismatch("Object");
}
const void* Value::Pointer() const {
  if (auto* p = std::get_if<const void*>(&v_)) return *p;
  if (IsNil()) return nullptr;
  RaiseTypeMismatch("Ptr");
}

const ClassRecord& WeakRef::Class() {
  static ClassOnce once;
  return BuildClassOnce(once, "WeakRef");
}

}  // namespace zefa
