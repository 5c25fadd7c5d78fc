// The menu bar: its class, its fourteen entries, its single instance and how building fails.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProxyStyle>
#include <QtTest/QTest>
#include <algorithm>
#include <functional>

#include "calculator/calc_window.h"
#include "framework/gui/application.h"
#include "framework/gui/private/widgets.h"
#include "framework/gui/menu.h"
#include "framework/gui/text_area.h"
#include "framework/gui/window.h"
#include "framework/runtime/delegate.h"
#include "seams.h"
#include "fresh_start.h"
#include "raises.h"
#include "shell/menu_bar.h"
#include "shell/startup.h"

using namespace zefa;

namespace {

using MenuTest = FreshStart;

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
    EXPECT_EQ(&item.RuntimeClass(), &e.cls());
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
  EXPECT_EQ(bar->RuntimeClass().name, "Menu.Menu");
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
  EXPECT_TRUE(Raises([&] { CallSlot(bar.get(), Menu::kUntitled1); }, NilObjectException::Class()));
  ASSERT_EQ(bar->Count(), 1);
  EXPECT_EQ(bar->Item(0)->Name(), "UntitledMenu2");
  EXPECT_EQ(bar->Item(0)->Count(), 0);
}

namespace {

// A desktop style where Alt alone moves the focus into the menu bar.
struct AltNavigationStyle : QProxyStyle {
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    return hint == SH_MenuBar_AltKeyNavigation ? 1 : QProxyStyle::styleHint(hint, option, widget, data);
  }
};

// Clipboard contents that count every question about what they hold, as a slow owner would be asked.
struct WatchedMimeData : QMimeData {
  mutable int asked = 0;
  QStringList formats() const override {
    ++asked;
    return {"text/plain"};
  }
  QVariant retrieveData(const QString&, QMetaType) const override {
    ++asked;
    return QString("12");
  }
};

// The calculator window with the application's real menu bar and real focus.
class EditMenuTest : public FreshStart {
 protected:
  void SetUp() override {
    FreshStart::SetUp();
    NewAppInstance();
    window_ = Calc::Calc();
    window_->Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_->Widget()));
    bar_ = window_->Widget()->findChild<QMenuBar*>();
    ASSERT_TRUE(bar_);
    edit_ = Menu("Edit");
    ASSERT_TRUE(edit_);
  }
  void TearDown() override {
    window_.reset();
    FreshStart::TearDown();
  }
  QMenu* Menu(const char* caption) {
    for (QAction* top : bar_->actions())
      if (top->menu() && QString(top->text()).remove('&') == caption) return top->menu();
    return nullptr;
  }
  QLineEdit* Field(Calc::Slot s) { return static_cast<QLineEdit*>(Calc::Get<TextArea>(window_.get(), s)->Widget()); }
  QAction* Entry(const char* text) {
    for (QAction* a : edit_->actions())
      if (a->text() == text) return a;
    ADD_FAILURE() << "no entry " << text;
    return nullptr;
  }
  // Opens the Edit menu as a user would and lists the entries it shows enabled.
  std::string Enabled() {
    edit_->popup(QPoint(0, 0));
    std::string s;
    for (const char* e : {"Undo", "Cut", "Copy", "Paste", "Clear"})
      if (Entry(e)->isEnabled()) s += (s.empty() ? "" : " ") + std::string(e);
    edit_->hide();
    return s.empty() ? "-" : s;
  }

  Ref<Window> window_;
  QMenuBar* bar_ = nullptr;
  QMenu* edit_ = nullptr;
};

}  // namespace

TEST_F(EditMenuTest, EntriesAreEnabledOnlyWhereTheyWouldAct) {
  QClipboard* clipboard = QApplication::clipboard();
  clipboard->clear();
  window_->Widget()->setFocus();  // no text field holds the focus
  EXPECT_EQ(Enabled(), "-");
  QLineEdit* iq = Field(Calc::kIQFld);
  iq->setFocus();
  EXPECT_EQ(Enabled(), "Paste");  // an editable field is offered Paste: the menu never asks the clipboard
  auto* offered = new WatchedMimeData;
  clipboard->setMimeData(offered);
  offered->asked = 0;
  EXPECT_EQ(Enabled(), "Paste");
  EXPECT_EQ(offered->asked, 0);
  QTest::keyClicks(iq, "123");
  EXPECT_EQ(Enabled(), "Undo Paste");
  iq->setSelection(0, 2);
  EXPECT_EQ(Enabled(), "Undo Cut Copy Paste Clear");
  window_->Widget()->setFocus();
  EXPECT_EQ(Enabled(), "-");

  // A result field can be copied from, never changed.
  Calc::Get<TextArea>(window_.get(), Calc::kSD1Fld)->SetText("  88 - 112");
  QLineEdit* sd1 = Field(Calc::kSD1Fld);
  sd1->setFocus();
  EXPECT_EQ(Enabled(), "-");
  sd1->selectAll();
  EXPECT_EQ(Enabled(), "Copy");

  // Quit acts whatever has the focus.
  QMenu* file = Menu("File");
  file->popup(QPoint(0, 0));
  EXPECT_TRUE(file->actions().at(0)->isEnabled());
  file->hide();
}

TEST_F(EditMenuTest, ClearDeletesTheSelectionOnly) {
  QApplication::clipboard()->clear();
  QLineEdit* iq = Field(Calc::kIQFld);
  iq->setFocus();
  QTest::keyClicks(iq, "123");
  iq->setCursorPosition(0);
  QAction* clear = Entry("Clear");
  clear->setEnabled(true);  // as a stale menu might show it
  clear->trigger();
  EXPECT_EQ(iq->text(), "123");
  iq->setSelection(0, 2);
  EXPECT_EQ(Enabled(), "Undo Cut Copy Paste Clear");
  clear->trigger();
  EXPECT_EQ(iq->text(), "3");
}

// Cutting the "." out of ".60" is refused by the mask, by every road to Cut: the bell rings once,
// ValidationError is raised, and neither the field nor the user's clipboard changes. A Cut the mask
// allows cuts as ever.
TEST_F(EditMenuTest, ARefusedCutKeepsTheClipboard) {
  static int refusals = 0;
  refusals = 0;
  Ref<TextArea> corr = Calc::Get<TextArea>(window_.get(), Calc::kCorrFld);
  Method count = [](Object*, Args) -> Value {
    ++refusals;
    return {};
  };
  RuntimeAddEventHandler(*corr, TextArea::kValidationError, AddHandler::Stub(TextArea::kValidationError),
                         RuntimeCreateDelegate(Delegate::Invoke, count, nullptr, "( TextArea )", 0));
  QLineEdit* field = Field(Calc::kCorrFld);
  auto contextMenuCut = [&] {
    QContextMenuEvent open(QContextMenuEvent::Keyboard, QPoint(5, 5), field->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(field, &open);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_TRUE(menu);
    for (QAction* a : menu->actions())
      if (a->text().startsWith("Cu&t")) a->trigger();
    menu->close();
  };
  const std::vector<std::pair<const char*, std::function<void()>>> roads = {
      {"Ctrl+X", [&] { QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier); }},
      {"Shift+Delete", [&] { QTest::keyClick(field, Qt::Key_Delete, Qt::ShiftModifier); }},
      {"Edit > Cut", [&] { Entry("Cut")->trigger(); }},
      {"context menu", contextMenuCut},
  };
  QClipboard* clipboard = QApplication::clipboard();
  field->setFocus();
  for (const auto& [road, cut] : roads) {
    SCOPED_TRACE(road);
    corr->SetText(".60");
    clipboard->setText("my text");
    int beeps = Beeps(), refused = refusals;
    field->setSelection(0, 1);
    cut();
    EXPECT_EQ(field->text(), ".60");
    EXPECT_EQ(clipboard->text().toStdString(), "my text");
    EXPECT_EQ(Beeps() - beeps, 1);
    EXPECT_EQ(refusals - refused, 1);
    field->setSelection(1, 2);
    cut();
    EXPECT_EQ(field->text(), ".");
    EXPECT_EQ(clipboard->text().toStdString(), "60");
    EXPECT_EQ(Beeps() - beeps, 1);
  }
}

// Alt and a menu's first letter open it; the captions the runtime holds stay as they were.
TEST_F(EditMenuTest, MenusOpenWithAltAndTheirFirstLetter) {
  QStringList titles;
  for (QAction* top : bar_->actions()) titles << top->text();
  EXPECT_EQ(titles, QStringList({"&File", "&Edit"}));
  MenuItem& bar = *App()->MenuBar();
  EXPECT_EQ(bar.Item(1)->Value(), "File");
  EXPECT_EQ(bar.Item(2)->Value(), "Edit");

  QLineEdit* iq = Field(Calc::kIQFld);
  iq->setFocus();
  QTest::keyClicks(iq, "12");
  iq->selectAll();
  QTest::keyClick(iq, Qt::Key_E, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return edit_->isVisible(); }, 5000));
  EXPECT_TRUE(Entry("Copy")->isEnabled());
  EXPECT_EQ(iq->text(), "12");  // the key went to the menu bar, not the field
  edit_->hide();

  // Where Alt alone moves the focus into the menu bar, the entries still judge the field it left.
  AltNavigationStyle style;
  bar_->setStyle(&style);
  QApplication::clipboard()->setText("3");
  iq->setFocus();
  QTest::keyClick(iq, Qt::Key_Alt);
  EXPECT_EQ(QApplication::focusWidget(), bar_);
  QTest::keyClick(bar_, Qt::Key_E);
  EXPECT_TRUE(QTest::qWaitFor([&] { return edit_->isVisible(); }, 5000));
  EXPECT_TRUE(Entry("Paste")->isEnabled());
  edit_->hide();
  bar_->setStyle(nullptr);

  // '&' in a caption stands for itself.
  Ref<MenuItem> root = CheckCast<MenuItem>(RuntimeNewObject(MenuItem::Class()));
  Ref<MenuItem> menu = CheckCast<MenuItem>(RuntimeNewObject(MenuItem::Class()));
  Ref<MenuItem> item = CheckCast<MenuItem>(RuntimeNewObject(MenuItem::Class()));
  menu->SetValue("& Tools");
  item->SetValue("Cut & Paste");
  menu->AddMenu(item);
  root->AddMenu(menu);
  QWidget host;
  QMenuBar* qbar = BuildMenuBar(*root, &host);
  ASSERT_EQ(qbar->actions().size(), 1);
  EXPECT_EQ(qbar->actions()[0]->text(), "&& &Tools");
  EXPECT_EQ(qbar->actions()[0]->menu()->actions()[0]->text(), "Cut && Paste");
  EXPECT_EQ(menu->Value(), "& Tools");
}
