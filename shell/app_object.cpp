#include "shell/app_object.h"

#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"
#include "shell/steps.h"

namespace zefa::ZEFA {

const ClassRecord& Class() {
  static ClassOnce once;
  return BuildClassOnce(once, kClassName, &Application::Class, [](ClassRecord& rec) {
    const ClassRecord& base = *rec.super;
    rec.AddOperation("Constructor", "()", Constructor);
    rec.methods = base.methods;  // the hidden ones included
    rec.methods.push_back({"IsEventImplemented", "(String) as Boolean", IsEventImplemented, {}});
    rec.methods.push_back({"Constructor", "()", Constructor, {}});
    // The notification interface, so the framework can follow appearance changes for this object.
    rec.interfaces = base.interfaces;
  });
}

// Calls no constructor of Application: there is none to call.
Value Constructor(Object* self, Args) {
  if (!self) RaiseNilObjectException();
  shell::Step("ZEFA.Constructor");
  return {};
}

Value IsEventImplemented(Object* self, Args args) {
  return RuntimeIsEventHandled(self, kClassName, args.empty() ? std::string() : args[0].String());
}

}  // namespace zefa::ZEFA
