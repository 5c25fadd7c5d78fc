#pragma once
// Delegates and event dispatch. A control's or timer's event is bound per object by event
// number; a window's own events go through its class's event-hook table.
#include <string>
#include <string_view>

#include "framework/runtime/class_record.h"

namespace zefa {

class Delegate : public Object {
 public:
  // Invoke glue: how the delegate passes its arguments on to its method.
  using Glue = Value (*)(Delegate& d, Args args);
  static const ClassRecord& Class();

  Delegate(Glue glue, Method method, Object* target, std::string signature, int flag);
  // Calls the method through the glue; a count of arguments that the signature does not take
  // (an event's source counts as its first) raises OutOfBoundsException.
  Value Call(Args args);
  // The entry through which the delegate calls its method with the method's own arguments.
  Method FunctionEntry() const { return method_; }
  Object* Target() const { return target_.get(); }
  const std::string& Signature() const { return signature_; }
  int Flag() const { return flag_; }

  // Instance-method glue: calls the method on the target; a nil target raises NilObjectException.
  static Value IM_Invoke(Delegate& d, Args args);
  // Plain-function glue: calls the method with no receiver.
  static Value Invoke(Delegate& d, Args args);

 private:
  Glue glue_;
  Method method_;
  // Held strongly; the window's teardown (when the user closes it, or at the finaliser pass)
  // releases its controls, which breaks the cycle window -> control -> binding -> delegate -> window.
  Ref<Object> target_;
  std::string signature_;
  int arity_;
  int flag_;
};

// Calls the delegate bound to event N of the source with (source, event arguments...).
using EventStub = Value (*)(Object& source, Args args);

struct Binding {
  EventStub stub = nullptr;
  Ref<Delegate> delegate;
};

Ref<Delegate> RuntimeCreateDelegate(Delegate::Glue glue, Method method, Object* target, std::string signature,
                                    int flag);
void RuntimeAddEventHandler(Object& obj, int event, EventStub stub, Ref<Delegate> delegate);

namespace AddHandler {
constexpr int kStubCount = 40;
EventStub Stub(int event);  // the stub of that event number
}  // namespace AddHandler

// Fires event N of a control or timer through its stub; nil when nothing is bound.
Value RaiseEvent(Object& source, int event, Args args = {});
Value RaiseEvent(Object& source, std::string_view event, Args args = {});
// Fires a window's own event through its class's hook table; nil when the class has no hook.
Value RaiseWindowEvent(Object& window, int event, Args args = {});
bool HasWindowHook(const Object& window, int event);

// Whether the class of that name implements the event (its hook table has it).
bool RuntimeUserIsEventHandled(Object* obj, const char* className, const char* event);
// The same question asked of a program's class, with the names as texts.
bool RuntimeIsEventHandled(Object* obj, std::string_view className, std::string_view event);

}  // namespace zefa
