#include "framework/runtime/delegate.h"

#include <array>
#include <utility>
#include <vector>

#include "framework/runtime/exceptions.h"

namespace zefa {

const ClassRecord& Delegate::Class() {
  static ClassOnce once;
  return BuildClassOnce(once, "Delegate");
}

Delegate::Delegate(Glue glue, Method method, Object* target, std::string signature, int flag)
    : Object(Class()), glue_(glue), method_(method), target_(target), signature_(std::move(signature)),
      arity_(ParameterCount(signature_)), flag_(flag) {}

Value Delegate::Call(Args args) {
  if (static_cast<int>(args.size()) != arity_)
    Raise<OutOfBoundsException>("the delegate " + signature_ + " takes " + std::to_string(arity_) + " arguments, not " +
                                std::to_string(args.size()));
  return glue_(*this, args);
}

Value Delegate::IM_Invoke(Delegate& d, Args args) {
  if (!d.target_) RaiseNilObjectException();
  if (!d.method_) Raise<FunctionNotFoundException>("the delegate has no method");
  return d.method_(d.target_.get(), args);
}

Value Delegate::Invoke(Delegate& d, Args args) {
  if (!d.method_) RaiseNilObjectException();
  return d.method_(nullptr, args);
}

Ref<Delegate> RuntimeCreateDelegate(Delegate::Glue glue, Method method, Object* target, std::string signature,
                                    int flag) {
  if (!glue) return nullptr;
  return Make<Delegate>(glue, method, target, std::move(signature), flag);
}

void RuntimeAddEventHandler(Object& obj, int event, EventStub stub, Ref<Delegate> delegate) {
  if (event < 0 || event >= static_cast<int>(obj.RuntimeClass().events.size()))
    Raise<OutOfBoundsException>(obj.RuntimeClass().name + " has no event number " + std::to_string(event));
  obj.SetBinding(event, Binding{stub, std::move(delegate)});
}

namespace AddHandler {
namespace {

template <int N>
Value StubN(Object& source, Args args) {
  Binding* b = source.BindingFor(N);
  if (!b) return {};
  Ref<Delegate> d = b->delegate;  // the handler may not drop the delegate from under us
  std::vector<Value> full;
  full.reserve(args.size() + 1);
  full.emplace_back(&source);
  full.insert(full.end(), args.begin(), args.end());
  return d->Call(full);
}

template <int... N>
constexpr std::array<EventStub, sizeof...(N)> MakeStubs(std::integer_sequence<int, N...>) {
  return {&StubN<N>...};
}

constexpr auto kStubs = MakeStubs(std::make_integer_sequence<int, kStubCount>{});

}  // namespace

EventStub Stub(int event) {
  if (event < 0 || event >= kStubCount) Raise<OutOfBoundsException>("no event stub " + std::to_string(event));
  return kStubs[static_cast<size_t>(event)];
}

}  // namespace AddHandler

Value RaiseEvent(Object& source, int event, Args args) {
  Binding* b = source.BindingFor(event);
  if (!b || !b->stub) return {};
  return b->stub(source, args);
}

Value RaiseEvent(Object& source, std::string_view event, Args args) {
  int n = source.RuntimeClass().EventNumber(event);
  if (n < 0) Raise<FunctionNotFoundException>(source.RuntimeClass().name + " has no event " + std::string(event));
  return RaiseEvent(source, n, args);
}

bool HasWindowHook(const Object& window, int event) {
  const auto& hooks = window.RuntimeClass().hooks;
  return event >= 0 && event < static_cast<int>(hooks.size()) && hooks[static_cast<size_t>(event)];
}

Value RaiseWindowEvent(Object& window, int event, Args args) {
  if (!HasWindowHook(window, event)) return {};
  Ref<Object> keep(&window);  // a hook that closes the window must not free it mid-call
  return window.RuntimeClass().hooks[static_cast<size_t>(event)](&window, args);
}

bool RuntimeUserIsEventHandled(Object* obj, const char* className, const char* event) {
  const ClassRecord* cls = FindClassRecord(className);
  if (!cls && obj) cls = &obj->RuntimeClass();
  if (!cls) return false;
  int n = cls->EventNumber(event);
  return n >= 0 && cls->hooks[static_cast<size_t>(n)] != nullptr;
}

bool RuntimeIsEventHandled(Object* obj, std::string_view className, std::string_view event) {
  std::string cn(className), en(event);
  return RuntimeUserIsEventHandled(obj, cn.c_str(), en.c_str());
}

}  // namespace zefa
