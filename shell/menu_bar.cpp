#include "shell/menu_bar.h"

#include <vector>

#include "framework/gui/application.h"
#include "framework/runtime/exceptions.h"
#include "shell/steps.h"

namespace zefa::Menu {

// Holds the bar until the process ends and is never destroyed, so the bar is not freed inside
// the exit handlers.
Ref<MenuItem>& _implicitInstance = *new Ref<MenuItem>;

namespace {

// Forgotten with the framework's process state, as at process start.
[[maybe_unused]] const bool g_resetRegistered = (RegisterProcessReset([] { _implicitInstance.reset(); }), true);

struct Entry {
  int builder;             // which Untitled operation makes it
  const char* name;
  const ClassRecord& (*cls)();
  const char* caption;
  const char* shortcut;    // nullptr: the shortcut is not set at all
  const char* parent;      // nullptr: a top-level menu on the bar
};

// The whole tree in the order of construction, which is also its order on the bar.
constexpr Entry kEntries[] = {
    {0, "UntitledMenu3", MenuItem::Class, "", "", nullptr},
    {1, "UntitledMenu2", MenuItem::Class, "File", "", nullptr},
    {1, "FileQuit", QuitMenuItem::Class, "Quit", "Cmd+Q", "UntitledMenu2"},
    {1, "UntitledMenu7", MenuItem::Class, "", "", "UntitledMenu2"},
    {2, "UntitledMenu0", MenuItem::Class, "Edit", "", nullptr},
    {2, "EditUndo", MenuItem::Class, "Undo", "Cmd+Z", "UntitledMenu0"},
    {2, "UntitledMenu1", MenuItem::Class, "-", nullptr, "UntitledMenu0"},
    {2, "EditCut", MenuItem::Class, "Cut", "Cmd+X", "UntitledMenu0"},
    {2, "EditCopy", MenuItem::Class, "Copy", "Cmd+C", "UntitledMenu0"},
    {2, "EditPaste", MenuItem::Class, "Paste", "Cmd+V", "UntitledMenu0"},
    {2, "EditClear", MenuItem::Class, "Clear", "", "UntitledMenu0"},
    {2, "UntitledMenu6", MenuItem::Class, "", "", "UntitledMenu0"},
    {2, "UntitledMenu5", AppleMenuItem::Class, "", "", "UntitledMenu0"},
    {3, "UntitledMenu4", MenuItem::Class, "", "", nullptr},
};

// Makes the entry complete, then attaches it: a top-level menu to the bar, an item to the menu
// that the bar finds under its parent's name (looked up afresh for every item).
void MakeEntry(Object* bar, const Entry& e) {
  Ref<MenuItem> item = CheckCast<MenuItem>(RuntimeNewObject(e.cls()));
  if (!item) RaiseNilObjectException();
  CallSlot(item.get(), MenuItem::kConstructor);
  item->SetName(e.name);
  item->SetAutoEnabled(true);
  item->SetValue(e.caption);
  item->SetVisible(true);
  if (e.shortcut) item->SetShortcut(e.shortcut);
  if (!e.parent) {
    CallSlot(bar, MenuItem::kAddMenu, std::vector<Value>{Value(item)});
    return;
  }
  Ref<Object> menu = CallSlot(bar, MenuItem::kChild, std::vector<Value>{Value(e.parent)}).ObjectRef();
  if (!menu) RaiseNilObjectException();
  CallSlot(menu.get(), MenuItem::kAddMenu, std::vector<Value>{Value(item)});
}

template <int N>
Value Build(Object* self, Args) {
  if (!self) RaiseNilObjectException();
  static constexpr const char* kSteps[] = {"Menu.Untitled0", "Menu.Untitled1", "Menu.Untitled2", "Menu.Untitled3"};
  shell::Step(kSteps[N]);
  for (const Entry& e : kEntries)
    if (e.builder == N) MakeEntry(self, e);
  return {};
}

}  // namespace

const ClassRecord& Class() {
  static ClassOnce once;
  return BuildClassOnce(once, kClassName, &MenuBar::Class, [](ClassRecord& rec) {
    rec.table[MenuItem::kConstructor].fn = Constructor;
    rec.AddOperation("Untitled0", "()", Untitled0);
    rec.AddOperation("Untitled1", "()", Untitled1);
    rec.AddOperation("Untitled2", "()", Untitled2);
    rec.AddOperation("Untitled3", "()", Untitled3);
    rec.AddTableToMethodList();
  });
}

void _implicitInstanceInit() { shell::Step("Menu._implicitInstance"); }

Ref<MenuItem> Menu() {
  shell::Step("Menu");
  if (!_implicitInstance) {
    // A bar whose building failed is dropped here, and nothing is stored.
    Ref<MenuItem> bar = CheckCast<MenuItem>(RuntimeNewObject(Class()));
    if (!bar) RaiseNilObjectException();
    CallSlot(bar.get(), MenuItem::kConstructor);
    _implicitInstance = bar;
  }
  return _implicitInstance;
}

Value Constructor(Object* self, Args) {
  shell::Step("Menu.Constructor");
  CallSlot(self, kUntitled0);
  CallSlot(self, kUntitled1);
  CallSlot(self, kUntitled2);
  CallSlot(self, kUntitled3);
  return {};
}

Value Untitled0(Object* self, Args a) { return Build<0>(self, a); }
Value Untitled1(Object* self, Args a) { return Build<1>(self, a); }
Value Untitled2(Object* self, Args a) { return Build<2>(self, a); }
Value Untitled3(Object* self, Args a) { return Build<3>(self, a); }

}  // namespace zefa::Menu
