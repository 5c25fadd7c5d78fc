// The menu bar: its class, its fourteen entries, its single instance and how building fails.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/gui/menu.h"
#include "framework/runtime/exceptions.h"
#include "framework/testing.h"
#include "shell/menu_bar.h"

using namespace zefa;

namespace {

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    zefa::testing::ResetRegistered();
    zefa::testing::ClearShortcutCalls();
  }
  void TearDown() override {
    zefa::testing::FailAtStep("");
    zefa::testing::ResetRegistered();
  }
};

int CountEntries(const MenuItem& m) {
  int n = 0;
  for (const Ref<MenuItem>& c : m.Children()) n += 1 + CountEntries(*c);
  return n;
}

struct Expected {
  const char* name;
  const ClassRecord& (*cls)();
  const char* caption;
  const char* shortcut;  // nullptr: never set
};

void ExpectEntries(const MenuItem& menu, std::initializer_list<Expected> want) {
  ASSERT_EQ(menu.Count(), static_cast<int64_t>(want.size())) << menu.Name();
  size_t i = 0;
  for (const Expected& e : want) {
    const MenuItem& item = *menu.Children()[i++];
    SCOPED_TRACE(e.name);
    EXPECT_EQ(item.Name(), e.name);
    EXPECT_EQ(&item.Object::Class(), &e.cls());
    EXPECT_EQ(item.Value(), e.caption);
    EXPECT_TRUE(item.AutoEnabled());
    EXPECT_TRUE(item.Visible());
    const std::vector<std::string>& calls = zefa::testing::ShortcutCalls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), item.Name()), e.shortcut ? 1 : 0);
    if (e.shortcut) {
      EXPECT_EQ(item.Shortcut(), e.shortcut);
    }
  }
}

}  // namespace

TEST_F(MenuTest, BarHoldsFileAndEditBetweenTwoEmptyMenus) {
  Ref<MenuItem> bar = Menu::Menu();
  ASSERT_TRUE(bar);
  EXPECT_EQ(bar->Object::Class().name, "Menu.Menu");
  EXPECT_EQ(CountEntries(*bar), 14);
  ExpectEntries(*bar, {{"UntitledMenu3", MenuItem::Class, "", ""},
                       {"UntitledMenu2", MenuItem::Class, "File", ""},
                       {"UntitledMenu0", MenuItem::Class, "Edit", ""},
                       {"UntitledMenu4", MenuItem::Class, "", ""}});
  ExpectEntries(*bar->Item(0), {});
  ExpectEntries(*bar->Item(1), {{"FileQuit", QuitMenuItem::Class, "Quit", "Cmd+Q"},
                                {"UntitledMenu7", MenuItem::Class, "", ""}});
  ExpectEntries(*bar->Item(2), {{"EditUndo", MenuItem::Class, "Undo", "Cmd+Z"},
                                {"UntitledMenu1", MenuItem::Class, "-", nullptr},
                                {"EditCut", MenuItem::Class, "Cut", "Cmd+X"},
                                {"EditCopy", MenuItem::Class, "Copy", "Cmd+C"},
                                {"EditPaste", MenuItem::Class, "Paste", "Cmd+V"},
                                {"EditClear", MenuItem::Class, "Clear", ""},
                                {"UntitledMenu6", MenuItem::Class, "", ""},
                                {"UntitledMenu5", AppleMenuItem::Class, "", ""}});
  ExpectEntries(*bar->Item(3), {});
}

TEST_F(MenuTest, EveryCallHandsOutTheSameBarAndBuildsNothingMore) {
  Ref<MenuItem> first = Menu::Menu();
  for (int i = 0; i < 5; ++i) {
    Ref<MenuItem> again = Menu::Menu();
    EXPECT_EQ(again.get(), first.get());
    EXPECT_EQ(CountEntries(*again), 14);
  }
  EXPECT_EQ(Menu::_implicitInstance.get(), first.get());
  // The caller's reference is its own: dropping it leaves the bar held by the instance.
  int held = first->RefCount();
  { Ref<MenuItem> extra = Menu::Menu(); EXPECT_EQ(first->RefCount(), held + 1); }
  EXPECT_EQ(first->RefCount(), held);
}

TEST_F(MenuTest, FailurePartWayStoresNothingAndALaterCallStartsAfresh) {
  zefa::testing::FailAtStep("Menu.Untitled2");
  EXPECT_THROW(Menu::Menu(), RuntimeError);
  EXPECT_FALSE(Menu::_implicitInstance);

  zefa::testing::FailAtStep("");
  Ref<MenuItem> bar = Menu::Menu();
  EXPECT_EQ(CountEntries(*bar), 14);
  EXPECT_EQ(bar->Count(), 4);
}

TEST_F(MenuTest, AnItemWhoseMenuIsNotFoundByNameIsAttachedNowhere) {
  // A bar whose name lookup finds nothing, as if its File menu were missing.
  static const ClassRecord& blind = [] () -> const ClassRecord& {
    ClassRecord& r = NewClassRecord("MenuTest.BlindMenu", &Menu::Class());
    r.table[MenuItem::kChild].fn = [](Object*, Args) -> Value { return {}; };
    return r;
  }();
  Ref<MenuItem> bar = CheckCast<MenuItem>(RuntimeNewObject(blind));
  try {
    CallSlot(bar.get(), Menu::kUntitled1);
    FAIL() << "no NilObjectException";
  } catch (const RuntimeError& e) {
    EXPECT_TRUE(e.IsA(NilObjectException::Class()));
  }
  ASSERT_EQ(bar->Count(), 1);
  EXPECT_EQ(bar->Item(0)->Name(), "UntitledMenu2");
  EXPECT_EQ(bar->Item(0)->Count(), 0);
}
