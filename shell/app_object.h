#pragma once
// The application class "ZEFA": an Application that adds only an empty constructor and the
// answer that it implements none of Application's events.
#include "framework/gui/application.h"

namespace zefa::ZEFA {

// Application's operations unchanged, then the class's own constructor.
enum Slot { kConstructor = Application::kSlotCount, kSlotCount };

inline constexpr const char* kClassName = "ZEFA";

const ClassRecord& Class();

Value Constructor(Object* self, Args);
Value IsEventImplemented(Object* self, Args args);

}  // namespace zefa::ZEFA
