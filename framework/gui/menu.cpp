#include "framework/gui/menu.h"

#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <memory>

#include "framework/gui/application.h"
#include "framework/gui/private/text_area_widget.h"
#include "framework/gui/private/widgets.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/observer.h"
#include "framework/runtime/ui_thread.h"

namespace zefa {
namespace {

MenuItem& M(Object* self) { return CheckedAs<MenuItem>(self); }
Ref<MenuItem> ItemArg(const Value& v) {
  Ref<MenuItem> item = CheckCast<MenuItem>(v.ObjectRef());
  if (!item) RaiseNilObjectException();
  return item;
}
Object* MakeItem(const ClassRecord& cls) { return new MenuItem(cls); }
[[noreturn]] void NotAvailable(const char* op) {
  Raise<FunctionNotFoundException>(std::string("MenuItem.") + op + " is not available in this framework");
}
Value Construct(Object* self, Args) {
  M(self).Constructor();
  return {};
}
Value ConstructWithText(Object* self, Args a) {
  M(self).Constructor();
  M(self).SetValue(a[0].String());
  return {};
}
Value Nothing(Object* self, Args) {
  M(self);
  return {};
}

// Ensures the special item classes exist before a bar is installed.
Value BarDependencies(Object*, Args) {
  QuitMenuItem::Class();
  AppleMenuItem::Class();
  EndException::Class();
  return {};
}

using enum MenuItem::Slot;  // the rows name their slots as the enum does

// MenuItem's class table in slot order; the compiler holds the rows to the Slot enum.
constexpr OperationRow kOperations[] = {
    ZEFA_OPERATION(AddMenu, "(MenuItem)", [](Object* self, Args a) -> Value {
      M(self).AddMenu(ItemArg(a[0]));
      return {};
    }),
    ZEFA_OPERATION(AddMenuAt, "(Integer, MenuItem)", [](Object* self, Args a) -> Value {
      M(self).Insert(a[0].Integer(), ItemArg(a[1]));
      return {};
    }),
    ZEFA_OPERATION(Append, "(MenuItem)", [](Object* self, Args a) -> Value {
      M(self).AddMenu(ItemArg(a[0]));
      return {};
    }),
    ZEFA_OPERATION(Child, "(String) as MenuItem",
                   [](Object* self, Args a) -> Value { return M(self).Child(a[0].String()); }),
    ZEFA_OPERATION(Clone, "() as MenuItem", [](Object*, Args) -> Value { NotAvailable("Clone"); }),
    ZEFA_OPERATION(Close, "()", Nothing),
    ZEFA_OPERATION(Constructor, "()", Construct),
    ZEFA_OPERATION_NAMED(ConstructorItem, "Constructor", "(MenuItem)", [](Object* self, Args a) -> Value {
      Ref<MenuItem> from = ItemArg(a[0]);
      M(self).Constructor();
      M(self).SetValue(from->Value());
      return {};
    }),
    ZEFA_OPERATION_NAMED(ConstructorText, "Constructor", "(String, Variant)", ConstructWithText),
    ZEFA_OPERATION(Count, "() as Integer", [](Object* self, Args) -> Value { return M(self).Count(); }),
    ZEFA_OPERATION(Enable, "()", Nothing),
    ZEFA_OPERATION(Handle, "(MenuItem.HandleType) as Integer", [](Object*, Args) -> Value { NotAvailable("Handle"); }),
    ZEFA_OPERATION(Insert, "(Integer, MenuItem)", [](Object* self, Args a) -> Value {
      M(self).Insert(a[0].Integer(), ItemArg(a[1]));
      return {};
    }),
    ZEFA_OPERATION(Item, "(Integer) as MenuItem", [](Object* self, Args a) -> Value { return M(self).Item(a[0].Integer()); }),
    ZEFA_OPERATION(LastRowIndex, "() as Integer", [](Object* self, Args) -> Value { return M(self).Count() - 1; }),
    ZEFA_OPERATION(MenuAt, "(Integer) as MenuItem", [](Object* self, Args a) -> Value { return M(self).Item(a[0].Integer()); }),
    ZEFA_OPERATION(MenuItem, "()", Construct),
    ZEFA_OPERATION_NAMED(MenuItemText, "MenuItem", "(String, Variant)", ConstructWithText),
    ZEFA_OPERATION(PopUp, "() as MenuItem", [](Object*, Args) -> Value { NotAvailable("PopUp"); }),
    ZEFA_OPERATION_NAMED(PopUpAt, "PopUp", "(Integer, Integer) as MenuItem", [](Object*, Args) -> Value { NotAvailable("PopUp"); }),
    ZEFA_OPERATION_NAMED(RemoveIndex, "Remove", "(Integer)", [](Object* self, Args a) -> Value {
      M(self).Remove(a[0].Integer());
      return {};
    }),
    ZEFA_OPERATION_NAMED(RemoveItem, "Remove", "(MenuItem)", [](Object* self, Args a) -> Value {
      MenuItem& m = M(self);
      Ref<MenuItem> item = ItemArg(a[0]);
      for (int64_t i = 0; i < m.Count(); ++i)
        if (m.Children()[static_cast<size_t>(i)] == item) m.Remove(i--);
      return {};
    }),
    ZEFA_OPERATION_NAMED(RemoveName, "Remove", "(String)", [](Object* self, Args a) -> Value {
      MenuItem& m = M(self);
      for (int64_t i = 0; i < m.Count(); ++i)
        if (m.Children()[static_cast<size_t>(i)]->Name() == a[0].String()) m.Remove(i--);
      return {};
    }),
    ZEFA_OPERATION(RemoveMenuAt, "(Integer)", [](Object* self, Args a) -> Value {
      M(self).Remove(a[0].Integer());
      return {};
    }),
    ZEFA_OPERATION(_DependencyList, "()", Nothing),
    ZEFA_OPERATION(_DisableEntirely, "()", Nothing),
    ZEFA_OPERATION(_Lookup, "(String) as MenuItem",
                   [](Object* self, Args a) -> Value { return M(self).Child(a[0].String()); }),
    ZEFA_OPERATION_NAMED(_LookupIndex, "_Lookup", "(String, Integer) as MenuItem", [](Object* self, Args a) -> Value {
      Ref<MenuItem> c = M(self).Child(a[0].String());
      return a[1].Integer() == 0 ? c : nullptr;
    }),
    ZEFA_OPERATION(_SelfEnable, "()", Nothing),
    ZEFA_OPERATION(_Swap, "(String, MenuItem)", [](Object*, Args) -> Value { NotAvailable("_Swap"); }),
};
static_assert(InSlotOrder(kOperations, 0, MenuItem::kSlotCount));

// The text field the menus of one window act on: the focused one, also while the menu bar has
// borrowed the focus for keyboard navigation.
class FieldFinder {
 public:
  explicit FieldFinder(QMenuBar* bar) : bar_(bar) {}
  void FocusChanged(QWidget* old, QWidget* now) {
    if (now && now == bar_) lent_ = dynamic_cast<TextAreaWidget*>(old);
  }
  TextAreaWidget* Field() const {
    if (!bar_) return nullptr;
    QWidget* f = QApplication::focusWidget();
    TextAreaWidget* edit = f && f == bar_ ? lent_.data() : dynamic_cast<TextAreaWidget*>(f);
    return edit && edit->window() == bar_->window() ? edit : nullptr;
  }

 private:
  QPointer<QMenuBar> bar_;
  QPointer<TextAreaWidget> lent_;
};
using Finder = std::shared_ptr<FieldFinder>;

// Whether choosing the item now would do anything: its class's Action hook always acts; the Edit
// items act on the focused field where it has what they need. Paste asks nothing of the clipboard:
// its owner may be slow, hung or holding a great deal, and the menu must open at once.
bool WouldAct(const MenuItem& item, const TextAreaWidget* edit) {
  if (HasWindowHook(item, MenuItem::kAction)) return true;
  if (!edit) return false;
  const std::string& n = item.Name();
  bool editable = !edit->isReadOnly();  // results can be copied, never changed
  if (n == "EditCopy") return edit->hasSelectedText();
  if (n == "EditUndo") return editable && edit->isUndoAvailable();
  if (n == "EditCut" || n == "EditClear") return editable && edit->hasSelectedText();
  if (n == "EditPaste") return editable;
  return false;
}

// What choosing an item does: its class's Action hook, or the Edit actions by name.
void Choose(const Ref<MenuItem>& item, const Finder& finder) {
  DeliverFromToolkit([&] {
    if (HasWindowHook(*item, MenuItem::kAction)) {
      RaiseWindowEvent(*item, MenuItem::kAction);
      return;
    }
    TextAreaWidget* edit = finder->Field();
    if (!edit || !WouldAct(*item, edit)) return;
    const std::string& n = item->Name();
    if (n == "EditCopy") edit->copy();
    else if (n == "EditUndo") edit->undo();
    else if (n == "EditCut") edit->Cut();
    else if (n == "EditPaste") edit->paste();
    else if (n == "EditClear") edit->del();  // with a selection, deletes just that
  });
}

// A caption as Qt shows it: '&' stands for itself, and a top-level menu's first letter or digit
// opens it with Alt.
QString MenuText(const std::string& caption, bool mnemonic) {
  QString text;
  for (QChar c : QString::fromStdString(caption)) {
    if (mnemonic && c.isLetterOrNumber()) {
      text += QChar('&');
      mnemonic = false;
    }
    text += c;
    if (c == QChar('&')) text += c;
  }
  return text;
}

void AddItems(QMenu* menu, const MenuItem& parent, const Finder& finder) {
  std::vector<std::pair<QAction*, Ref<MenuItem>>> automatic;
  for (const Ref<MenuItem>& item : parent.Children()) {
    if (!item->Visible()) continue;
    if (item->Value() == "-") {
      menu->addSeparator();
      continue;
    }
    if (item->Value().empty() && item->Count() == 0) continue;  // nothing to draw
    QAction* a = menu->addAction(MenuText(item->Value(), false));
    if (!item->Shortcut().empty()) a->setShortcut(QKeySequence(QString::fromStdString(ShortcutKeys(item->Shortcut()))));
    QObject::connect(a, &QAction::triggered, a, [item, finder] { Choose(item, finder); });
    if (item->AutoEnabled()) automatic.emplace_back(a, item);
  }
  if (automatic.empty()) return;
  QObject::connect(menu, &QMenu::aboutToShow, menu, [automatic, finder] {
    TextAreaWidget* edit = finder->Field();
    for (const auto& [action, item] : automatic) action->setEnabled(WouldAct(*item, edit));
  });
}

}  // namespace

const ClassRecord& MenuItem::Class() {
  static constexpr EventRow kEvents[] = {ZEFA_EVENT(Action)};
  static_assert(InEventOrder(kEvents, 0, kEventCount));
  static ClassOnce once;
  return BuildClassOnce(once, "MenuItem", nullptr, [](ClassRecord& rec) {
    rec.factory = MakeItem;
    rec.AddOperations(kOperations);
    rec.AddEvents(kEvents);
    rec.AddTableToMethodList();
  });
}

const ClassRecord& MenuBar::Class() {
  static ClassOnce once;
  return BuildClassOnce(once, "MenuBar", &MenuItem::Class, [](ClassRecord& rec) {
    rec.table[MenuItem::k_DependencyList].fn = BarDependencies;
    rec.AddOperation("_InstallClone", "(MenuItem)", [](Object* self, Args) -> Value {
      M(self);
      return BarDependencies(self, {});
    });
    rec.AddTableToMethodList();
  });
}

const ClassRecord& QuitMenuItem::Class() {
  static constexpr EventRow kEvents[] = {ZEFA_EVENT(MenuItemSelected)};
  static_assert(InEventOrder(kEvents, MenuItem::kEventCount, kEventCount));
  static ClassOnce once;
  return BuildClassOnce(once, "QuitMenuItem", &MenuItem::Class, [](ClassRecord& rec) {
    Method action = [](Object* self, Args) -> Value {
      EndException::Class();
      return QuitMenuAction(M(self));
    };
    rec.AddOperation("Event_Action", "() as Boolean", action);
    rec.AddEvents(kEvents);
    rec.SetHook("Action", action);
    rec.AddTableToMethodList();
  });
}

const ClassRecord& AppleMenuItem::Class() {
  static ClassOnce once;
  return BuildClassOnce(once, "AppleMenuItem", &MenuItem::Class,
                        [](ClassRecord& rec) { rec.AddTableToMethodList(); });
}

void MenuItem::Constructor() { CheckUIThread(); }

void MenuItem::SetName(std::string name) {
  CheckUIThread();
  name_ = std::move(name);
}
void MenuItem::SetAutoEnabled(bool on) {
  CheckUIThread();
  autoEnabled_ = on;
}
void MenuItem::SetValue(std::string caption) {
  CheckUIThread();
  caption_ = std::move(caption);
}
void MenuItem::SetVisible(bool on) {
  CheckUIThread();
  visible_ = on;
}
void MenuItem::SetShortcut(std::string shortcut) {
  CheckUIThread();
  shortcut_ = std::move(shortcut);
  if (Observer* o = InstalledObserver()) o->ShortcutSet(name_);
}

void MenuItem::AddMenu(Ref<MenuItem> item) {
  CheckUIThread();
  if (!item) RaiseNilObjectException();
  if (item.get() == this) Raise<RuntimeException>("a menu cannot contain itself");
  children_.push_back(std::move(item));
}

void MenuItem::Insert(int64_t index, Ref<MenuItem> item) {
  CheckUIThread();
  if (!item) RaiseNilObjectException();
  if (index < 0 || index > Count()) Raise<OutOfBoundsException>("menu index " + std::to_string(index));
  children_.insert(children_.begin() + index, std::move(item));
}

void MenuItem::Remove(int64_t index) {
  CheckUIThread();
  if (index < 0 || index >= Count()) Raise<OutOfBoundsException>("menu index " + std::to_string(index));
  children_.erase(children_.begin() + index);
}

Ref<MenuItem> MenuItem::Child(std::string_view name) const {
  CheckUIThread();
  for (const Ref<MenuItem>& c : children_)
    if (c->Name() == name) return c;
  return nullptr;
}

Ref<MenuItem> MenuItem::Item(int64_t index) const {
  if (index < 0 || index >= Count()) Raise<OutOfBoundsException>("menu index " + std::to_string(index));
  return children_[static_cast<size_t>(index)];
}

bool QuitMenuAction(MenuItem&) {
  Quit(0);
  return true;
}

std::string ShortcutKeys(const std::string& shortcut) {
  std::string s = shortcut;
  if (s.rfind("Cmd+", 0) == 0) s.replace(0, 3, "Ctrl");
  return s;
}

QMenuBar* BuildMenuBar(const MenuItem& bar, QWidget* window) {
  auto* qbar = new QMenuBar(window);
  qbar->setNativeMenuBar(false);
  auto finder = std::make_shared<FieldFinder>(qbar);
  QObject::connect(qApp, &QApplication::focusChanged, qbar,
                   [finder](QWidget* old, QWidget* now) { finder->FocusChanged(old, now); });
  for (const Ref<MenuItem>& top : bar.Children()) {
    if (!top->Visible() || (top->Value().empty() && top->Count() == 0)) continue;
    QMenu* menu = qbar->addMenu(MenuText(top->Value(), true));
    AddItems(menu, *top, finder);
  }
  return qbar;
}

}  // namespace zefa
