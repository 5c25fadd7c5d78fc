#pragma once
// The steps every window class of the program takes to come into being and build its controls.
#include <string>
#include <string_view>

#include "framework/gui/picture.h"
#include "framework/gui/window.h"

namespace zefa {

// The implicit single instance: the open window of the class, or a new one constructed now.
Ref<Window> ImplicitWindow(const char* className, const ClassRecord& cls);

// The method list: every class-table operation (CreateControls0 marked "Hidden") and the
// event query, which stands outside the table.
void FillWindowMethodList(ClassRecord& cls, Method isEventImplemented);

// One control: made for the window, constructed through its class table, registered by name.
void NewControl(Object* window, const ClassRecord& cls, std::string_view name);
// A canvas gets its backdrop (nil allowed) before its record is applied: the canvas is fetched by
// name and cast first, and only then is the picture accessor called.
void SetCanvasBackdrop(Object* window, std::string_view name, Ref<Picture> (*picture)());
void ApplyControlRecord(Object* window, std::string_view name, const ClassRecord& castTo, const std::string& record);
// Binds event N of the control to the window's handler in the given class-table slot.
void BindControlEvent(Object* window, std::string_view name, const ClassRecord& castTo, int event, int handlerSlot,
                      std::string_view signature);

}  // namespace zefa
