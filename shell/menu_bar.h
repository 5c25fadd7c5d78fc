#pragma once
// The application's menu bar "Menu.Menu": File (Quit) and Edit (Undo, Cut, Copy, Paste, Clear)
// between two empty menus. It is built once and held in Menu::_implicitInstance for good.
#include "framework/gui/menu.h"
#include "framework/runtime/class_record.h"

namespace zefa::Menu {

// The class table: MenuItem's operations (Constructor in its slot), MenuBar's InstallClone, then these.
enum Slot { kUntitled0 = MenuBar::kSlotCount, kUntitled1, kUntitled2, kUntitled3, kSlotCount };

inline constexpr const char* kClassName = "Menu.Menu";

const ClassRecord& Class();

// The bar's single instance: empty at start, filled by the first successful call of Menu().
extern Ref<MenuItem>& _implicitInstance;
// Its initialiser in the start-up table: the variable needs no setting up, so it only marks the step.
void _implicitInstanceInit();

// The bar, built on the first call; every call hands out a reference of the caller's own.
Ref<MenuItem> Menu();

Value Constructor(Object* self, Args);
// Each builds one top-level menu with its items and attaches them. The names (and those of
// _implicitInstance above) are the ones the runtime stores.
Value Untitled0(Object* self, Args);
Value Untitled1(Object* self, Args);
Value Untitled2(Object* self, Args);
Value Untitled3(Object* self, Args);

}  // namespace zefa::Menu
