#include "framework/gui/window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "framework/gui/application.h"
#include "framework/gui/control.h"
#include "framework/gui/menu.h"
#include "framework/gui/picture.h"
#include "framework/gui/private/process_state.h"
#include "framework/gui/private/widgets.h"
#include "framework/gui/private/window_widget.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/ui_thread.h"

namespace zefa {
namespace {

Window& Self(Object* self) { return CheckedAs<Window>(self); }
Window& Self(Object& self) { return CheckedAs<Window>(self); }

[[noreturn]] void NotAvailable(const char* op) {
  Raise<FunctionNotFoundException>(std::string("Window.") + op + " is not available in this framework");
}

Object* MakeWindow(const ClassRecord& cls) { return new Window(cls); }

Value Nothing(Object* self, Args) {
  Self(self);
  return {};
}

// A window the user closed is released once its Close event is over: its controls go, and with
// them the delegates that held it, so that only the references others keep remain.
void ReleaseWhenClosed(Window& w) {
  QTimer::singleShot(0, qApp, [widget = QPointer<QWidget>(w.Widget())] {
    if (!widget) return;  // released already
    std::vector<Ref<Window>>& open = Process().windows;
    auto it = std::find_if(open.begin(), open.end(), [&](const Ref<Window>& o) { return o->Widget() == widget; });
    if (it == open.end()) return;
    Ref<Window> closed = std::move(*it);
    open.erase(it);
    closed->Teardown();
  });
}

Value Update(Object* self, Args) {
  Window& w = Self(self);
  CheckUIThread();
  if (w.Widget()) w.Widget()->update();
  return {};
}

using enum Window::Slot;  // the rows name their slots as the enum does

// Window's class table in slot order; the compiler holds the rows to the Slot enum.
constexpr OperationRow kOperations[] = {
    ZEFA_OPERATION(AcceptFileDrop, "(String)", [](Object*, Args) -> Value { NotAvailable("AcceptFileDrop"); }),
    ZEFA_OPERATION(AcceptMacDataDrop, "(String)", [](Object*, Args) -> Value { NotAvailable("AcceptMacDataDrop"); }),
    ZEFA_OPERATION(AcceptPictureDrop, "()", [](Object*, Args) -> Value { NotAvailable("AcceptPictureDrop"); }),
    ZEFA_OPERATION(AcceptRawDataDrop, "(String)", [](Object*, Args) -> Value { NotAvailable("AcceptRawDataDrop"); }),
    ZEFA_OPERATION(AcceptTextDrop, "()", [](Object*, Args) -> Value { NotAvailable("AcceptTextDrop"); }),
    ZEFA_OPERATION(BitmapForCaching, "(Integer, Integer) as Picture", [](Object* self, Args a) -> Value {
      Self(self);
      return Picture::Blank(a[0].Integer(), a[1].Integer());
    }),
    ZEFA_OPERATION(Close, "()", [](Object* self, Args) -> Value {
      Self(self).Close();
      return {};
    }),
    ZEFA_OPERATION(Constructor, "()", [](Object* self, Args) -> Value {
      Self(self).Constructor();
      return {};
    }),
    ZEFA_OPERATION(Control, "(Integer) as Control", [](Object* self, Args a) -> Value {
      const auto& controls = Self(self).Controls();
      int64_t i = a[0].Integer();
      if (i < 0 || i >= static_cast<int64_t>(controls.size()))
        Raise<OutOfBoundsException>("no control at index " + std::to_string(i));
      return controls[static_cast<size_t>(i)].second;
    }),
    ZEFA_OPERATION(Controls, "() as Iterable", [](Object*, Args) -> Value { NotAvailable("Controls"); }),
    ZEFA_OPERATION(DrawInto, "(Graphics, Integer, Integer, Boolean)", [](Object*, Args) -> Value { NotAvailable("DrawInto"); }),
    ZEFA_OPERATION(FocusNext, "()", [](Object* self, Args) -> Value {
      Window& w = Self(self);
      CheckUIThread();
      if (QWidget* f = QApplication::focusWidget(); f && w.Widget() && w.Widget()->isAncestorOf(f))
        f->nextInFocusChain()->setFocus(Qt::TabFocusReason);
      return {};
    }),
    ZEFA_OPERATION(FocusPrevious, "()", [](Object* self, Args) -> Value {
      Window& w = Self(self);
      CheckUIThread();
      if (QWidget* f = QApplication::focusWidget(); f && w.Widget() && w.Widget()->isAncestorOf(f))
        f->previousInFocusChain()->setFocus(Qt::BacktabFocusReason);
      return {};
    }),
    ZEFA_OPERATION(Hide, "()", [](Object* self, Args) -> Value {
      Self(self).Hide();
      return {};
    }),
    ZEFA_OPERATION(Invalidate, "(Boolean)", Update),
    ZEFA_OPERATION_NAMED(InvalidateRect, "Invalidate", "(Integer, Integer, Integer, Integer, Boolean)", Update),
    ZEFA_OPERATION(Maximize, "()", [](Object* self, Args) -> Value {
      Window& w = Self(self);
      CheckUIThread();
      if (w.Widget()) w.Widget()->showMaximized();
      return {};
    }),
    ZEFA_OPERATION(Minimize, "()", [](Object* self, Args) -> Value {
      Window& w = Self(self);
      CheckUIThread();
      if (w.Widget()) w.Widget()->showMinimized();
      return {};
    }),
    ZEFA_OPERATION(Operator_Convert, "() as WindowPtr", [](Object*, Args) -> Value { NotAvailable("Operator_Convert"); }),
    ZEFA_OPERATION(Refresh, "(Boolean)", Update),
    ZEFA_OPERATION(RefreshRect, "(Integer, Integer, Integer, Integer, Boolean)", Update),
    ZEFA_OPERATION(Restore, "()", [](Object* self, Args) -> Value {
      Window& w = Self(self);
      CheckUIThread();
      if (w.Widget()) w.Widget()->showNormal();
      return {};
    }),
    ZEFA_OPERATION(SetFocus, "()", [](Object* self, Args) -> Value {
      Window& w = Self(self);
      CheckUIThread();
      if (w.Widget()) {
        w.Widget()->activateWindow();
        w.Widget()->setFocus(Qt::OtherFocusReason);
      }
      return {};
    }),
    ZEFA_OPERATION(Show, "()", [](Object* self, Args) -> Value {
      Self(self).Show();
      return {};
    }),
    ZEFA_OPERATION(ShowModal, "()", [](Object*, Args) -> Value { NotAvailable("ShowModal"); }),
    ZEFA_OPERATION(ShowModalWithin, "(Window)", [](Object*, Args) -> Value { NotAvailable("ShowModalWithin"); }),
    ZEFA_OPERATION(ShowWithin, "(Window, Integer)", [](Object*, Args) -> Value { NotAvailable("ShowWithin"); }),
    ZEFA_OPERATION(TrueWindow, "() as Window", [](Object* self, Args) -> Value { return &Self(self); }),
    ZEFA_OPERATION(UpdateNow, "()", [](Object* self, Args) -> Value {
      Window& w = Self(self);
      CheckUIThread();
      if (w.Widget()) w.Widget()->repaint();
      return {};
    }),
    ZEFA_OPERATION(Window, "()", [](Object* self, Args) -> Value {
      Self(self).Constructor();
      return {};
    }),
    ZEFA_OPERATION(_AddControl, "(String, Object)", [](Object* self, Args a) -> Value {
      Self(self).AddControl(a[0].String(), a[1].ObjectRef());
      return {};
    }),
    ZEFA_OPERATION(_AddMenuHandler, "(String, Ptr)", [](Object*, Args) -> Value { NotAvailable("_AddMenuHandler"); }),
    ZEFA_OPERATION(_ControlByName, "(String) as Object", [](Object* self, Args a) -> Value {
      return Self(self).ControlByName(a[0].String());
    }),
    ZEFA_OPERATION(_ControlByNameIndex, "(String, Integer) as Object", [](Object* self, Args a) -> Value {
      return Self(self).ControlByNameIndex(a[0].String(), a[1].Integer());
    }),
    ZEFA_OPERATION(_DependencyList, "()", Nothing),
    ZEFA_OPERATION(_Move, "(Integer, Integer, Integer, Integer)", [](Object* self, Args a) -> Value {
      Window& w = Self(self);
      CheckUIThread();
      if (w.Widget())
        w.Widget()->setGeometry(static_cast<int>(a[0].Integer()), static_cast<int>(a[1].Integer()),
                                static_cast<int>(a[2].Integer()), static_cast<int>(a[3].Integer()));
      return {};
    }),
    ZEFA_OPERATION_NAMED(New, "__New", "(Ptr) as Object", [](Object* self, Args a) -> Value {
      auto* cls = static_cast<const ClassRecord*>(a[0].Pointer());
      if (!cls) RaiseNilObjectException();
      return Self(self).New(*cls);
    }),
};
static_assert(InSlotOrder(kOperations, 0, Window::kSlotCount));

template <void (Window::*F)(int64_t)>
void IntSetter(Object& o, const Value& v) {
  (Self(o).*F)(v.Integer());
}
template <Window::Limit Which>
void LimitSetter(Object& o, const Value& v) {
  Self(o).SetLimit(Which, v.Integer());
}
template <Window::TitleButton Which>
void ButtonSetter(Object& o, const Value& v) {
  Self(o).SetTitleButton(Which, v.Boolean());
}

void AddProperties(ClassRecord& r) {
  r.properties = {
      {"Width", PropType::Integer, IntSetter<&Window::SetWidth>},
      {"Height", PropType::Integer, IntSetter<&Window::SetHeight>},
      {"MinimumWidth", PropType::Integer, LimitSetter<Window::Limit::kMinWidth>},
      {"MinimumHeight", PropType::Integer, LimitSetter<Window::Limit::kMinHeight>},
      {"MaximumWidth", PropType::Integer, LimitSetter<Window::Limit::kMaxWidth>},
      {"MaximumHeight", PropType::Integer, LimitSetter<Window::Limit::kMaxHeight>},
      {"Type", PropType::Enum8, IntSetter<&Window::SetType>},
      {"Title", PropType::String, [](Object& o, const Value& v) { Self(o).SetTitle(v.String()); }},
      {"HasCloseButton", PropType::Boolean, ButtonSetter<Window::TitleButton::kClose>},
      {"HasMaximizeButton", PropType::Boolean, ButtonSetter<Window::TitleButton::kMaximize>},
      {"HasMinimizeButton", PropType::Boolean, ButtonSetter<Window::TitleButton::kMinimize>},
      {"HasFullScreenButton", PropType::Boolean, Ignore},  // no full-screen button on this desktop
      {"Resizeable", PropType::Boolean,
       [](Object& o, const Value& v) { Self(o).SetResizeable(v.Boolean()); }},
      {"Composite", PropType::Boolean, Ignore},
      {"MacProcId", PropType::Integer, Ignore},
      {"FullScreen", PropType::Boolean,
       [](Object&, const Value& v) {
         if (v.Boolean()) Raise<UnsupportedFormatException>("full-screen windows are not supported");
       }},
      {"DefaultLocation", PropType::Enum8, IntSetter<&Window::SetDefaultLocation>},
      {"Visible", PropType::Boolean,
       [](Object& o, const Value& v) { Self(o).SetVisibleProperty(v.Boolean()); }},
      {"HasBackgroundColor", PropType::Boolean,
       [](Object& o, const Value& v) { Self(o).SetHasBackgroundColor(v.Boolean()); }},
      {"BackgroundColor", PropType::Color,
       [](Object& o, const Value& v) { Self(o).SetBackgroundColor(static_cast<uint32_t>(v.Integer())); }},
      {"MenuBarVisible", PropType::Boolean,
       [](Object& o, const Value& v) { Self(o).SetMenuBarVisible(v.Boolean()); }},
      {"LiveResize", PropType::Boolean, Ignore},
  };
}

}  // namespace

const ClassRecord& Window::Class() {
  static constexpr EventRow kEvents[] = {
      ZEFA_EVENT(Activate), ZEFA_EVENT(AddMenuHandlers), ZEFA_EVENT(CancelClose), ZEFA_EVENT_NAMED(CloseEvent, "Close"),
      ZEFA_EVENT(ConstructContextualMenu), ZEFA_EVENT(ContentsChanged), ZEFA_EVENT(ContextualMenuAction),
      ZEFA_EVENT(CreateControls), ZEFA_EVENT(Deactivate), ZEFA_EVENT(DragEnter), ZEFA_EVENT(DragExit),
      ZEFA_EVENT(DragOver), ZEFA_EVENT(DropObject), ZEFA_EVENT(EnableMenuItems), ZEFA_EVENT(KeyDown),
      ZEFA_EVENT(KeyUp), ZEFA_EVENT(Layout), ZEFA_EVENT_NAMED(MaximizeEvent, "Maximize"),
      ZEFA_EVENT_NAMED(MinimizeEvent, "Minimize"), ZEFA_EVENT(MouseDown), ZEFA_EVENT(MouseDrag),
      ZEFA_EVENT(MouseEnter), ZEFA_EVENT(MouseExit), ZEFA_EVENT(MouseMove), ZEFA_EVENT(MouseUp),
      ZEFA_EVENT(MouseWheel), ZEFA_EVENT(Moved), ZEFA_EVENT(Open), ZEFA_EVENT(Paint), ZEFA_EVENT(Resized),
      ZEFA_EVENT(Resizing), ZEFA_EVENT_NAMED(RestoreEvent, "Restore"), ZEFA_EVENT(ScaleFactorChanged),
      ZEFA_EVENT(SetupBindings),
  };
  static_assert(InEventOrder(kEvents, 0, kEventCount));
  static ClassOnce once;
  return BuildClassOnce(once, "Window", nullptr, [](ClassRecord& rec) {
    rec.factory = MakeWindow;
    rec.AddOperations(kOperations);
    rec.AddEvents(kEvents);
    AddProperties(rec);
    rec.AddTableToMethodList();
  });
}

Window::Window(const ClassRecord& cls) : Object(cls) {}

Window::~Window() { Teardown(); }

void Window::Teardown() {
  // Controls go first: their widgets are children of ours.
  auto controls = std::move(controls_);
  controls.clear();
  std::exchange(top_, nullptr).reset();
  content_ = nullptr;  // went down with its parent
}

void Window::RequireWidget() const {
  if (!top_) Raise<RuntimeException>("the window " + RuntimeClass().name + " has not been constructed");
}

void Window::Constructor() {
  CheckUIThread();
  RequireGui();
  if (top_) Raise<RuntimeException>("the window " + RuntimeClass().name + " is already constructed");
  Ref<Window> keep(this);
  top_ = std::make_unique<WindowWidget>(this);
  top_->setAttribute(Qt::WA_QuitOnClose, false);  // quitting is the application's decision
  auto* layout = new QVBoxLayout(top_.get());
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  content_ = new ContentWidget(this, top_.get());
  content_->setAutoFillBackground(true);
  content_->resize(100, 100);
  layout->addWidget(content_);
  constructing_ = true;
  try {
    RaiseWindowEvent(*this, kLayout);
    RaiseWindowEvent(*this, kCreateControls);
    constructing_ = false;
    ApplyFlags();
    ApplyTabOrder();
    InstallMenuBar();
    ApplyGeometry();
  } catch (...) {
    constructing_ = false;
    Teardown();
    throw;
  }
  // The newest window of a class is its implicit instance; the ones before it stay held too.
  Process().windows.push_back(keep);
  if (showWhenBuilt_) Show();
}

bool Window::IsVisible() const { return top_ && top_->isVisible(); }

void Window::Show() {
  CheckUIThread();
  RequireWidget();
  if (constructing_) {
    showWhenBuilt_ = true;
    return;
  }
  // A window already up keeps its place and takes no focus: a repeated Show must neither pull
  // the user away from another program nor cover an open message box.
  if (top_->isVisible()) return;
  if (location_ == 0) Centre();
  QWidget* box = QApplication::activeModalWidget();
  bool boxActive = box && QApplication::activeWindow() == box;
  // A window takes the focus only from the program itself: as its first window, or while one of
  // its windows is active or being pressed. Otherwise the user is in another program, and stays.
  bool activate = !box && (WindowCount() <= 1 || QGuiApplication::focusWindow() || DeliveringUserPress());
  top_->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
  top_->show();
  if (box) {
    // The box waiting for an answer stays above the new window, and keeps the focus it had.
    box->raise();
    if (boxActive) box->activateWindow();
    return;
  }
  if (!activate) return;
  top_->raise();
  top_->activateWindow();
}

void Window::Hide() {
  CheckUIThread();
  RequireWidget();
  if (constructing_) {
    showWhenBuilt_ = false;
    return;
  }
  top_->hide();
}

void Window::Close() {
  CheckUIThread();
  RequireWidget();
  top_->close();
}

bool Window::OnCloseRequested() {
  if (closed_) return true;
  Value cancel = RaiseWindowEvent(*this, kCancelClose);
  if (!cancel.IsNil() && cancel.Boolean()) return false;
  closed_ = true;
  RaiseWindowEvent(*this, kCloseEvent);
  // With no Close hook, closing the last visible window ends the application.
  if (!HasWindowHook(*this, kCloseEvent)) {
    bool othersVisible = false;
    for (const Ref<Window>& w : Process().windows)
      if (w.get() != this && w->IsVisible()) othersVisible = true;
    if (!othersVisible) Quit(0);
  }
  ReleaseWhenClosed(*this);
  return true;
}

bool Window::OnKeyDown(const std::string& key) {
  Value v = RaiseWindowEvent(*this, kKeyDown, std::vector<Value>{Value(key)});
  return !v.IsNil() && v.Boolean();
}

bool Window::OnMouseDown(int x, int y) {
  Value v = RaiseWindowEvent(*this, kMouseDown, std::vector<Value>{Value(int64_t{x}), Value(int64_t{y})});
  return !v.IsNil() && v.Boolean();
}

Ref<Object> Window::New(const ClassRecord& cls) {
  Ref<Object> obj = RuntimeNewObject(cls);
  if (auto* control = AsOrNull<Control>(obj.get())) control->SetOwner(this);
  return obj;
}

void Window::AddControl(std::string name, Ref<Object> control) {
  CheckUIThread();
  if (!control) RaiseNilObjectException();
  if (ControlByName(name)) Raise<RuntimeException>("the window already has a control named " + name);
  if (auto* c = AsOrNull<Control>(control.get())) c->SetRegisteredName(name);
  controls_.emplace_back(std::move(name), std::move(control));
}

Ref<Object> Window::ControlByName(std::string_view name) const {
  for (const auto& [n, c] : controls_)
    if (n == name) return c;
  return nullptr;
}

Ref<Object> Window::ControlByNameIndex(std::string_view name, int64_t index) const {
  for (const auto& [n, c] : controls_) {
    const Control* control = n == name ? AsOrNull<Control>(c.get()) : nullptr;
    if (control && control->Index() == index) return c;
  }
  return nullptr;
}

void Window::SetWidth(int64_t w) {
  RequireWidget();
  content_->resize(static_cast<int>(std::clamp<int64_t>(w, 1, kCoordinateLimit)), content_->height());
  ApplyGeometry();
}

void Window::SetHeight(int64_t h) {
  RequireWidget();
  content_->resize(content_->width(), static_cast<int>(std::clamp<int64_t>(h, 1, kCoordinateLimit)));
  ApplyGeometry();
}

void Window::SetLimit(Limit which, int64_t v) {
  int64_t c = std::clamp<int64_t>(v, 0, kCoordinateLimit);
  switch (which) {
    case Limit::kMinWidth: minW_ = c; break;
    case Limit::kMinHeight: minH_ = c; break;
    case Limit::kMaxWidth: maxW_ = c; break;
    case Limit::kMaxHeight: maxH_ = c; break;
  }
  ApplyGeometry();
}

void Window::SetType(int64_t type) {
  if (type != 0 && type != 4) Raise<UnsupportedFormatException>("window type " + std::to_string(type) + " is not supported");
  type_ = type;
  ApplyFlags();
}

void Window::SetTitle(const std::string& title) {
  RequireWidget();
  top_->setWindowTitle(QString::fromStdString(title));
}

void Window::SetTitleButton(TitleButton which, bool on) {
  switch (which) {
    case TitleButton::kClose: closeButton_ = on; break;
    case TitleButton::kMaximize: maxButton_ = on; break;
    case TitleButton::kMinimize: minButton_ = on; break;
  }
  ApplyFlags();
}

void Window::SetResizeable(bool on) {
  resizeable_ = on;
  ApplyGeometry();
}

void Window::SetVisibleProperty(bool on) {
  if (on)
    Show();
  else
    Hide();
}

void Window::SetBackgroundColor(uint32_t rgb) {
  RequireWidget();
  QPalette p = content_->palette();
  p.setColor(QPalette::Window, QColor::fromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
  content_->setPalette(p);
}

void Window::SetHasBackgroundColor(bool on) {
  RequireWidget();
  content_->setAutoFillBackground(on);
}

// Applied once after the Layout hook; the record's several flag entries would each redo it.
void Window::ApplyFlags() {
  if (!top_ || constructing_) return;
  Qt::WindowFlags f = Qt::Window;
  if (type_ == 4) {
    f |= Qt::FramelessWindowHint;
  } else {
    f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closeButton_) f |= Qt::WindowCloseButtonHint;
    if (minButton_) f |= Qt::WindowMinimizeButtonHint;
    if (maxButton_ && resizeable_) f |= Qt::WindowMaximizeButtonHint;
  }
  bool shown = top_->isVisible();
  top_->setWindowFlags(f);
  if (shown) top_->show();
}

// A window that may not be resized, or whose limits lie below its size, stays at its size.
void Window::ApplyGeometry() {
  if (!top_ || constructing_) return;
  QSize size = content_->size();
  bool fixed = !resizeable_ || maxW_ < size.width() || maxH_ < size.height();
  auto* layout = static_cast<QVBoxLayout*>(top_->layout());
  if (fixed) {
    content_->setFixedSize(size);
    layout->setSizeConstraint(QLayout::SetFixedSize);
  } else {
    content_->setMinimumSize(static_cast<int>(std::min<int64_t>(minW_, size.width())),
                             static_cast<int>(std::min<int64_t>(minH_, size.height())));
    content_->setMaximumSize(static_cast<int>(maxW_), static_cast<int>(maxH_));
    layout->setSizeConstraint(QLayout::SetDefaultConstraint);
  }
  FitToContent();
}

// The window takes the size its content and menu bar ask for, whatever the screen's size: Qt's
// own fitting would cut a resizable window down to two thirds of the screen.
void Window::FitToContent() {
  QLayout* layout = top_->layout();
  layout->invalidate();
  layout->activate();
  top_->resize(top_->sizeHint());
}

void Window::ApplyTabOrder() {
  std::vector<RectControl*> stops;
  for (auto& [name, c] : controls_)
    if (auto* rc = AsOrNull<RectControl>(c.get()))
      if (rc->TabStop() && rc->Widget() && rc->Widget()->focusPolicy() & Qt::TabFocus) stops.push_back(rc);
  std::stable_sort(stops.begin(), stops.end(),
                   [](RectControl* a, RectControl* b) { return a->TabIndex() < b->TabIndex(); });
  for (size_t i = 1; i < stops.size(); ++i) QWidget::setTabOrder(stops[i - 1]->Widget(), stops[i]->Widget());
}

void Window::InstallMenuBar() {
  MenuItem* bar = ApplicationMenuBar();
  if (!bar || !menuBarVisible_) return;
  top_->layout()->setMenuBar(BuildMenuBar(*bar, top_.get()));
}

void Window::Centre() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  FitToContent();
  // Centred along each side where it fits; where it does not, it starts at the screen's edge so
  // that its title bar and top-left corner stay on the screen.
  QRect avail = screen->availableGeometry();
  QSize s = top_->frameGeometry().size();
  top_->move(avail.x() + std::max(0, (avail.width() - s.width()) / 2),
             avail.y() + std::max(0, (avail.height() - s.height()) / 2));
}

Ref<Object> GetImplicitWindow(std::string_view className) {
  const std::vector<Ref<Window>>& open = Process().windows;
  for (auto it = open.rbegin(); it != open.rend(); ++it)
    if ((*it)->RuntimeClass().name == className && !(*it)->IsClosed()) return *it;
  return nullptr;
}

void ReleaseAllWindows() {
  std::vector<Ref<Window>> open = std::move(Process().windows);
  Process().windows.clear();
  for (const Ref<Window>& w : open) w->Teardown();
}

int64_t WindowCount() { return static_cast<int64_t>(Process().windows.size()); }

Ref<Object> WindowAt(int64_t index) {
  if (index < 0 || index >= WindowCount()) Raise<OutOfBoundsException>("no window at index " + std::to_string(index));
  return Process().windows[static_cast<size_t>(index)];
}

Ref<Object> ControlByName(Object* window, std::string_view name) {
  return CallSlot(window, Window::k_ControlByName, std::vector<Value>{Value(std::string(name))}).ObjectRef();
}

}  // namespace zefa
