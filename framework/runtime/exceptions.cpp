#include "framework/runtime/exceptions.h"

#include "framework/runtime/class_record.h"

namespace zefa {
namespace {

Object* MakeException(const ClassRecord& cls) { return new RuntimeException(cls, ""); }

void FillRoot(ClassRecord& rec) { rec.factory = MakeException; }

}  // namespace

const ClassRecord& RuntimeException::Class() {
  static ClassOnce once;
  return BuildClassOnce(once, "RuntimeException", nullptr, FillRoot);
}

#define ZEFA_EXCEPTION_RECORD(Name)                               \
  const ClassRecord& Name::Class() {                              \
    static ClassOnce once;                                        \
    return BuildClassOnce(once, #Name, &RuntimeException::Class); \
  }
ZEFA_EXCEPTION_RECORD(NilObjectException)
ZEFA_EXCEPTION_RECORD(IllegalCastException)
ZEFA_EXCEPTION_RECORD(ThreadAccessingUIException)
ZEFA_EXCEPTION_RECORD(FunctionNotFoundException)
ZEFA_EXCEPTION_RECORD(OutOfBoundsException)
ZEFA_EXCEPTION_RECORD(StackOverflowException)
ZEFA_EXCEPTION_RECORD(TypeMismatchException)
ZEFA_EXCEPTION_RECORD(UnsupportedFormatException)
#undef ZEFA_EXCEPTION_RECORD

// Ending the application is no error: it stands outside the RuntimeException family.
const ClassRecord& EndException::Class() {
  static ClassOnce once;
  return BuildClassOnce(once, "EndException", nullptr, FillRoot);
}

RuntimeError::RuntimeError(Ref<Object> exception) : exception_(std::move(exception)) {
  what_ = exception_->RuntimeClass().name + ": " + Message();
}

bool RuntimeError::IsA(const ClassRecord& cls) const { return exception_->RuntimeClass().IsA(cls); }

std::string RuntimeError::Message() const {
  if (auto* e = AsOrNull<RuntimeException>(exception_.get())) return e->Message();
  return {};
}

void RaiseException(const ClassRecord& cls, std::string message) {
  throw RuntimeError(Ref<Object>(new RuntimeException(cls, std::move(message))));
}

Ref<Object> CurrentExceptionObject() {
  std::string message;
  try {
    throw;
  } catch (const RuntimeError& e) {
    return e.Exception();
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "an exception of an unknown type";
  }
  return Ref<Object>(new RuntimeException(RuntimeException::Class(), std::move(message)));
}

void RaiseNilObjectException() { Raise<NilObjectException>("a nil object was used"); }

void RaiseTypeMismatch(const char* wanted) {
  Raise<TypeMismatchException>(std::string("the value is not of type ") + wanted);
}

}  // namespace zefa
