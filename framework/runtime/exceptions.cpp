#include "framework/runtime/exceptions.h"

#include "framework/runtime/class_record.h"

namespace zefa {
namespace {

Object* MakeException(const ClassRecord& cls) { return new RuntimeException(cls, ""); }

const ClassRecord& Subclass(ClassRecord*& rec, const char* name) {
  if (!rec) rec = &NewClassRecord(name, &RuntimeException::Class());
  return *rec;
}

}  // namespace

const ClassRecord& RuntimeException::Class() {
  static ClassRecord* rec = nullptr;
  if (!rec) {
    rec = &NewClassRecord("RuntimeException", nullptr);
    rec->factory = MakeException;
  }
  return *rec;
}

#define ZEFA_EXCEPTION_RECORD(Name)          \
  const ClassRecord& Name::Class() {         \
    static ClassRecord* rec = nullptr;       \
    return Subclass(rec, #Name);             \
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
  static ClassRecord* rec = nullptr;
  if (!rec) {
    rec = &NewClassRecord("EndException", nullptr);
    rec->factory = MakeException;
  }
  return *rec;
}

RuntimeError::RuntimeError(Ref<Object> exception) : exception_(std::move(exception)) {
  what_ = exception_->Class().name + ": " + Message();
}

bool RuntimeError::IsA(const ClassRecord& cls) const { return exception_->Class().IsA(cls); }

std::string RuntimeError::Message() const {
  if (exception_->Class().IsA(RuntimeException::Class()))
    return static_cast<const RuntimeException&>(*exception_).Message();
  return {};
}

void RaiseException(const ClassRecord& cls, std::string message) {
  throw RuntimeError(Ref<Object>(new RuntimeException(cls, std::move(message))));
}

void RaiseNilObjectException() { Raise<NilObjectException>("a nil object was used"); }

void RaiseTypeMismatch(const char* wanted) {
  Raise<TypeMismatchException>(std::string("the value is not of type ") + wanted);
}

}  // namespace zefa
