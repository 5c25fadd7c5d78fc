// The calculator window class: its record, its one instance, its face and its closing.
#include <QCoreApplication>
#include <QWidget>

#include "calc_fixture.h"
#include "calculator/calc_records.h"
#include "framework/gui/application.h"
#include "framework/gui/canvas.h"
#include "framework/gui/label.h"
#include "framework/gui/push_button.h"
#include "raises.h"

using namespace zefa;

TEST_F(CalcTest, ClassTableTakesEachRowOfTheWindowsTableAtItsSlot) {
  const ClassRecord& cls = Calc::Class();
  EXPECT_EQ(cls.name, "Calc.Calc");
  EXPECT_EQ(cls.super, &Window::Class());
  ASSERT_EQ(cls.table.size(), size_t{Calc::kSlotCount});
  // The base class's operations are the very same entries.
  for (size_t i = 0; i < Window::kSlotCount; ++i) EXPECT_EQ(cls.table[i].fn, Window::Class().table[i].fn);
  // The handler rows go in binding order; the class table has them by slot.
  for (const ControlRow& c : Calc::ControlRows()) EXPECT_EQ(cls.table[static_cast<size_t>(c.accessor)].name, c.name);
  for (const HandlerRow& h : Calc::HandlerRows()) {
    EXPECT_EQ(cls.table[static_cast<size_t>(h.slot)].name, h.name);
    EXPECT_EQ(cls.table[static_cast<size_t>(h.slot)].fn, h.fn);
  }
  // One signature, spelled as the class table and as a binding's delegate store it.
  EXPECT_EQ(cls.table[Calc::kIQFld_KeyDown].signature, "(TextArea, String) as Boolean");
  EXPECT_EQ(Win().ControlByName("IQFld")->BindingFor(RectControl::kKeyDown)->delegate->Signature(),
            "( TextArea, String ) as Boolean");
}

// The framework's question is answered from the class's hooks, under the class's own name.
TEST_F(CalcTest, ImplementsCloseOfTheWindowEvents) {
  Ref<Window> w = Calc::Calc();
  EXPECT_TRUE(Calc::IsEventImplemented(w.get(), std::vector<Value>{Value("Close")}).Boolean());
  EXPECT_FALSE(Calc::IsEventImplemented(w.get(), std::vector<Value>{Value("Open")}).Boolean());
  EXPECT_FALSE(Calc::IsEventImplemented(w.get(), std::vector<Value>{Value("CancelClose")}).Boolean());
}

TEST_F(CalcTest, OpensAtItsFullSizeWhiteTitledAndFixed) {
  EXPECT_FALSE(GetImplicitWindow("Calc.Calc"));
  Window& w = Win();
  QWidget* top = w.Widget();
  ASSERT_TRUE(top);
  EXPECT_TRUE(top->isVisible());
  EXPECT_EQ(w.Content()->size(), QSize(480, 450));  // not cut down to the record's 465 x 360 maximum
  EXPECT_EQ(top->windowTitle(), "ZEFA Calculator");
  EXPECT_EQ(top->minimumSize(), top->maximumSize());  // the user cannot resize it
  EXPECT_TRUE(w.Content()->autoFillBackground());
  EXPECT_EQ(w.Content()->palette().color(QPalette::Window), QColor(Qt::white));
  Qt::WindowFlags f = top->windowFlags();
  EXPECT_TRUE(f & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(f & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(f & Qt::FramelessWindowHint);
}

TEST_F(CalcTest, SecondGetterCallReturnsTheSameWindowAndBuildsNothing) {
  Ref<Window> first = Calc::Calc();
  first->Widget()->setWindowTitle("changed");  // a second Layout would set it back
  size_t controls = first->Controls().size();
  Ref<Window> second = Calc::Calc();
  EXPECT_EQ(first, second);
  EXPECT_EQ(second->Widget()->windowTitle(), "changed");
  EXPECT_EQ(second->Controls().size(), controls);
  EXPECT_EQ(GetImplicitWindow("Calc.Calc").get(), first.get());
}

TEST_F(CalcTest, AccessorsReturnTheRegisteredControlEveryTime) {
  Window& w = Win();
  ASSERT_EQ(w.Controls().size(), Calc::kControlCount);
  for (size_t i = 0; i < Calc::kControlCount; ++i) {
    const ControlRow& entry = Calc::ControlRows()[i];
    Value a = CallSlot(&w, Calc::kIQlang + static_cast<int>(i));
    Value b = CallSlot(&w, Calc::kIQlang + static_cast<int>(i));
    EXPECT_EQ(a.ObjectRef(), b.ObjectRef());
    EXPECT_EQ(a.ObjectRef(), w.ControlByName(entry.name)) << entry.name;
    EXPECT_TRUE(a.ObjectRef()->RuntimeClass().IsA(entry.cls())) << entry.name;
  }
  EXPECT_THROW(CallSlot(nullptr, Calc::kIQFld), RuntimeError);
}

// A second window of the class becomes the implicit instance; the first stays open and held, and
// the release at the end reaches both, although their delegates point back at them. A window the
// user closed is released once its Close event is over.
TEST_F(CalcTest, EveryWindowOfAClassIsReleasedNotOnlyItsImplicitInstance) {
  Ref<Window> first = Calc::Calc();
  Ref<Object> second = RuntimeNewObject(Calc::Class());
  CallSlot(second.get(), Window::kConstructor);
  EXPECT_EQ(GetImplicitWindow(Calc::kClassName), second);
  EXPECT_EQ(WindowCount(), 2);
  ReleaseAllWindows();
  EXPECT_EQ(first->RefCount(), 1);
  EXPECT_EQ(second->RefCount(), 1);

  Ref<Window> closed = Calc::Calc();
  closed->Widget()->close();
  EXPECT_FALSE(GetImplicitWindow(Calc::kClassName));
  QCoreApplication::processEvents();
  EXPECT_EQ(closed->RefCount(), 1);
  EXPECT_EQ(WindowCount(), 0);
}

TEST_F(CalcTest, AMissingControlRaisesNilObjectInTheHandler) {
  // A window of the class that never built its controls: the accessor yields nil.
  Ref<Object> bare = RuntimeNewObject(Calc::Class());
  EXPECT_TRUE(CallSlot(bare.get(), Calc::kIQFld).IsNil());
  EXPECT_TRUE(Raises([&] { Calc::CalcBrn_Action(bare.get(), {}); }, NilObjectException::Class()));
}

TEST_F(CalcTest, ClosingTheWindowQuitsWithZero) {
  Calculate("100", ".60");
  EXPECT_FALSE(RequestedQuit());
  Win().Widget()->close();
  ASSERT_TRUE(RequestedQuit());
  EXPECT_EQ(*RequestedQuit(), 0);
  EXPECT_FALSE(Win().Widget()->isVisible());
}

TEST_F(CalcTest, WindowOperationsThatCannotWorkSayWhy) {
  for (int slot : {Window::kAcceptFileDrop, Window::kControls, Window::kDrawInto, Window::kOperator_Convert,
                   Window::kShowModal, Window::k_AddMenuHandler}) {
    try {
      CallSlot(&Win(), slot, std::vector<Value>(static_cast<size_t>(Window::Class().table[slot].arity)));
      FAIL() << slot;
    } catch (const RuntimeError& e) {
      EXPECT_NE(e.Message().find("not available"), std::string::npos);
    }
  }
  // The ones that do work.
  EXPECT_EQ(CallSlot(&Win(), Window::kTrueWindow).ObjectRef().get(), &Win());
  EXPECT_EQ(CallSlot(&Win(), Window::kControl, std::vector<Value>{Value(int64_t{3})}).ObjectRef(),
            Win().ControlByName("IQFld"));
  CallSlot(&Win(), Window::kHide);
  EXPECT_FALSE(Win().Widget()->isVisible());
  CallSlot(&Win(), Window::kShow);
  CallSlot(&Win(), Window::kShow);  // safe to repeat
  EXPECT_TRUE(Win().Widget()->isVisible());
}
