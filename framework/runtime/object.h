#pragma once
// Reference-counted runtime objects and the owning handle Ref<T>.
#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>

namespace zefa {

struct ClassRecord;
struct Binding;

class Object {
 public:
  explicit Object(const ClassRecord& cls);
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  virtual ~Object();

  // The object's own class record. Each class's static Class() gives that class's record; the two
  // names differ so that a call through a typed reference cannot reach the wrong one.
  const ClassRecord& RuntimeClass() const { return *cls_; }
  void Retain() { ++refs_; }
  void Release() {
    if (--refs_ == 0) delete this;
  }
  int RefCount() const { return refs_; }

  // Event bindings, indexed by event number; a control or timer holds its delegates here.
  Binding* BindingFor(int event) const;
  void SetBinding(int event, Binding binding);

 private:
  const ClassRecord* cls_;
  int refs_ = 0;
  struct Bindings;
  std::unique_ptr<Bindings> bindings_;  // most objects are never bound, so this stays empty
};

// Owning handle: holds one reference for as long as it lives.
template <class T>
class Ref {
 public:
  Ref() = default;
  Ref(std::nullptr_t) {}
  explicit Ref(T* p) : p_(p) {
    if (p_) p_->Retain();
  }
  Ref(const Ref& o) : Ref(o.p_) {}
  Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  // Only up the hierarchy; a downcast goes through CheckCast (class_record.h).
  template <class U>
    requires std::is_convertible_v<U*, T*>
  Ref(const Ref<U>& o) : Ref(static_cast<T*>(o.get())) {}
  ~Ref() { reset(); }
  Ref& operator=(Ref o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  void reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  friend bool operator==(const Ref& a, const Ref& b) { return a.p_ == b.p_; }

 private:
  T* p_ = nullptr;
};

template <class T, class... A>
Ref<T> Make(A&&... a) {
  return Ref<T>(new T(std::forward<A>(a)...));
}

// The class record of a reference that does not keep its object alive. A record only: the
// runtime makes no such reference.
struct WeakRef {
  static const ClassRecord& Class();
};

}  // namespace zefa
