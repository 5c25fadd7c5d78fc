#pragma once
// Menus are a plain tree of items that exists before any window; each window turns the
// application's bar into a Qt menu bar of its own.
#include <string>
#include <vector>

#include "framework/runtime/class_record.h"

namespace zefa {

class MenuItem : public Object {
 public:
  // MenuItem's class table, in its order.
  enum Slot {
    kAddMenu, kAddMenuAt, kAppend, kChild, kClone, kClose, kConstructor, kConstructorItem, kConstructorText,
    kCount, kEnable, kHandle, kInsert, kItem, kLastRowIndex, kMenuAt, kMenuItem, kMenuItemText, kPopUp,
    kPopUpAt, kRemoveIndex, kRemoveItem, kRemoveName, kRemoveMenuAt, k_DependencyList, k_DisableEntirely,
    k_Lookup, k_LookupIndex, k_SelfEnable, k_Swap, kSlotCount
  };
  enum Event { kAction, kEventCount };
  static const ClassRecord& Class();
  explicit MenuItem(const ClassRecord& cls) : Object(cls) {}

  void Constructor();
  void SetName(std::string name);
  void SetAutoEnabled(bool on);
  void SetValue(std::string caption);
  void SetVisible(bool on);
  void SetShortcut(std::string shortcut);
  void AddMenu(Ref<MenuItem> item);
  void Insert(int64_t index, Ref<MenuItem> item);
  void Remove(int64_t index);
  Ref<MenuItem> Child(std::string_view name) const;  // nil when there is none
  Ref<MenuItem> Item(int64_t index) const;
  int64_t Count() const { return static_cast<int64_t>(children_.size()); }

  const std::string& Name() const { return name_; }
  const std::string& Value() const { return caption_; }
  const std::string& Shortcut() const { return shortcut_; }
  bool AutoEnabled() const { return autoEnabled_; }
  bool Visible() const { return visible_; }
  const std::vector<Ref<MenuItem>>& Children() const { return children_; }

 private:
  std::string name_, caption_, shortcut_;
  bool autoEnabled_ = false, visible_ = true;
  std::vector<Ref<MenuItem>> children_;
};

// The application's menu bar: the root of the tree.
struct MenuBar {
  enum Slot { k_InstallClone = MenuItem::kSlotCount, kSlotCount };
  static const ClassRecord& Class();
};
// Choosing it ends the application with 0.
struct QuitMenuItem {
  enum Slot { kEvent_Action = MenuItem::kSlotCount, kSlotCount };
  enum Event { kMenuItemSelected = MenuItem::kEventCount, kEventCount };
  static const ClassRecord& Class();
};
// Differs from a plain item only by its class.
struct AppleMenuItem {
  static const ClassRecord& Class();
};

// The framework's quit action: ends the application with 0.
bool QuitMenuAction(MenuItem& item);
// The platform's reading of a shortcut text: "Cmd+Q" is Ctrl+Q here.
std::string ShortcutKeys(const std::string& shortcut);

}  // namespace zefa
