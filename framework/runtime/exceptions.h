#pragma once
// The runtime's exception classes are runtime objects; a C++ exception carries the object.
#include <exception>
#include <string>

#include "framework/runtime/object.h"

namespace zefa {

struct ClassRecord;

class RuntimeException : public Object {
 public:
  static const ClassRecord& Class();
  RuntimeException(const ClassRecord& cls, std::string message) : Object(cls), message_(std::move(message)) {}
  const std::string& Message() const { return message_; }

 private:
  std::string message_;
};

// Subclasses share RuntimeException's C++ shape and differ by their class record.
#define ZEFA_EXCEPTION_CLASS(Name) \
  struct Name {                    \
    static const ClassRecord& Class(); \
  };
ZEFA_EXCEPTION_CLASS(NilObjectException)
ZEFA_EXCEPTION_CLASS(IllegalCastException)
ZEFA_EXCEPTION_CLASS(ThreadAccessingUIException)
ZEFA_EXCEPTION_CLASS(FunctionNotFoundException)
ZEFA_EXCEPTION_CLASS(OutOfBoundsException)
ZEFA_EXCEPTION_CLASS(StackOverflowException)
ZEFA_EXCEPTION_CLASS(TypeMismatchException)
ZEFA_EXCEPTION_CLASS(UnsupportedFormatException)
ZEFA_EXCEPTION_CLASS(EndException)
#undef ZEFA_EXCEPTION_CLASS

// What travels through C++ unwinding: the exception object itself.
class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(Ref<Object> exception);
  const Ref<Object>& Exception() const { return exception_; }
  const ClassRecord& RuntimeClass() const { return exception_->RuntimeClass(); }
  bool IsA(const ClassRecord& cls) const;
  std::string Message() const;
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  Ref<Object> exception_;
  std::string what_;
};

[[noreturn]] void RaiseException(const ClassRecord& cls, std::string message);
template <class E>
[[noreturn]] void Raise(std::string message) {
  RaiseException(E::Class(), std::move(message));
}
// Inside a catch block: the runtime exception object of the exception being handled. Ours is
// taken as it is; any other C++ exception, of whatever type, becomes a RuntimeException.
Ref<Object> CurrentExceptionObject();

[[noreturn]] void RaiseNilObjectException();
[[noreturn]] void RaiseTypeMismatch(const char* wanted);

}  // namespace zefa
