#pragma once
// Whether fn raises a runtime exception of class cls or of a subclass of it.
#include <functional>

#include "framework/runtime/exceptions.h"

inline bool Raises(const std::function<void()>& fn, const zefa::ClassRecord& cls) {
  try {
    fn();
  } catch (const zefa::RuntimeError& e) {
    return e.IsA(cls);
  }
  return false;
}
