#include "framework/gui/control.h"

#include <QApplication>
#include <QColor>

#include "framework/gui/private/widgets.h"

#include "framework/gui/window.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/ui_thread.h"

namespace zefa {
namespace {

RectControl& RC(Object& o) { return CheckedAs<RectControl>(o); }
RectControl& RC(Object* o) { return CheckedAs<RectControl>(o); }

enum class Geometry { kLeft, kTop, kWidth, kHeight };

template <Geometry Which>
void GeometrySetter(Object& o, const Value& v) {
  QWidget* w = RC(o).Widget();
  if (!w) Raise<RuntimeException>("the control has not been constructed");
  int n = static_cast<int>(std::clamp<int64_t>(v.Integer(), -kCoordinateLimit, kCoordinateLimit));
  QRect g = w->geometry();
  switch (Which) {
    case Geometry::kLeft: g.moveLeft(n); break;
    case Geometry::kTop: g.moveTop(n); break;
    case Geometry::kWidth: g.setWidth(std::max(n, 0)); break;
    case Geometry::kHeight: g.setHeight(std::max(n, 0)); break;
  }
  w->setGeometry(g);
}

// Setting a font makes Qt re-polish the widget; most record entries repeat what it has.
void SetFontIfChanged(QWidget& w, const QFont& f) {
  if (!(w.font() == f)) w.setFont(f);
}

Qt::FocusPolicy QtFocusPolicy(RectControl::FocusPolicy p) {
  switch (p) {
    case RectControl::FocusPolicy::kNone: return Qt::NoFocus;
    case RectControl::FocusPolicy::kClick: return Qt::ClickFocus;
    case RectControl::FocusPolicy::kStrong: break;
  }
  return Qt::StrongFocus;
}

}  // namespace

QColor ColorFromValue(uint32_t v) {
  return QColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF, 255 - static_cast<int>((v >> 24) & 0xFF));
}

Qt::Alignment AlignmentFor(int64_t textAlignment) {
  switch (textAlignment) {
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    case 3: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

// Each class's own events, checked against its Event enum.
const ClassRecord& Control::Class() {
  static constexpr EventRow kEvents[] = {ZEFA_EVENT(Close), ZEFA_EVENT(CreatePane), ZEFA_EVENT(Open)};
  static_assert(InEventOrder(kEvents, 0, kEventCount));
  static ClassOnce once;
  return BuildClassOnce(once, "Control", nullptr, [](ClassRecord& rec) { rec.AddEvents(kEvents); });
}

const ClassRecord& RectControl::Class() {
  static constexpr EventRow kEvents[] = {
      ZEFA_EVENT(ConstructContextualMenu), ZEFA_EVENT(ContextualMenuAction), ZEFA_EVENT(DragEnter),
      ZEFA_EVENT(DragExit), ZEFA_EVENT(DragOver), ZEFA_EVENT(DropObject), ZEFA_EVENT(KeyDown), ZEFA_EVENT(KeyUp),
      ZEFA_EVENT(MouseEnter), ZEFA_EVENT(MouseExit), ZEFA_EVENT(MouseMove), ZEFA_EVENT(MouseWheel),
  };
  static_assert(InEventOrder(kEvents, Control::kEventCount, kEventCount));
  static ClassOnce once;
  return BuildClassOnce(once, "RectControl", &Control::Class, [](ClassRecord& rec) {
    rec.AddOperation("Constructor", "()", [](Object* self, Args) -> Value {
      RC(self).Constructor();
      return {};
    });
    rec.AddOperation("SetFocus", "()", [](Object* self, Args) -> Value {
      RC(self).SetFocus();
      return {};
    });
    rec.AddEvents(kEvents);
    rec.properties = CommonProperties();
  });
}

RectControl::RectControl(const ClassRecord& cls) : Control(cls), native_(std::make_unique<Native>()) {}

RectControl::~RectControl() { delete native_->widget.data(); }

auto& RectControl::W() const {
  if (!native_->widget) Raise<RuntimeException>("the control " + RegisteredName() + " has not been constructed");
  return *native_->widget;
}

void RectControl::Constructor() {
  CheckUIThread();
  if (native_->widget) Raise<RuntimeException>("the control is already constructed");
  if (!Owner() || !Owner()->Content()) Raise<RuntimeException>("a control needs a constructed window");
  CreateWidget(Owner()->Content());
  native_->widget->setFocusPolicy(QtFocusPolicy(FocusPolicyFor(tabStop_)));
  native_->widget->show();
}

bool RectControl::Enabled() const { return W().isEnabled(); }

void RectControl::SetEnabled(bool on) {
  CheckUIThread();
  W().setEnabled(on);
}

bool RectControl::Visible() const { return !W().isHidden(); }

void RectControl::SetVisible(bool on) {
  CheckUIThread();
  W().setVisible(on);
}

void RectControl::SetFocus() {
  CheckUIThread();
  QWidget& w = W();
  if (w.focusPolicy() == Qt::NoFocus) return;
  // In a window that is not active, Qt remembers the widget and focuses it on activation.
  w.setFocus(Qt::OtherFocusReason);
}

bool RectControl::HasFocus() const {
  // The window's focus widget: the one that has the focus, or gets it when the window is active.
  QWidget& w = W();
  return w.window()->focusWidget() == &w;
}

void RectControl::SetTabStop(bool on) {
  tabStop_ = on;
  if (native_->widget) native_->widget->setFocusPolicy(QtFocusPolicy(FocusPolicyFor(on)));
}

std::vector<PropertyDescriptor> RectControl::CommonProperties() {
  return {
      {"Name", PropType::String, Ignore},  // the window registers the control under its name
      {"Index", PropType::Integer, [](Object& o, const Value& v) { RC(o).SetIndex(v.Integer()); }},
      {"Left", PropType::Integer, GeometrySetter<Geometry::kLeft>},
      {"Top", PropType::Integer, GeometrySetter<Geometry::kTop>},
      {"Width", PropType::Integer, GeometrySetter<Geometry::kWidth>},
      {"Height", PropType::Integer, GeometrySetter<Geometry::kHeight>},
      // Windows here keep their size, so the locks that follow a resize have nothing to do.
      {"LockLeft", PropType::Boolean, Ignore},
      {"LockTop", PropType::Boolean, Ignore},
      {"LockRight", PropType::Boolean, Ignore},
      {"LockBottom", PropType::Boolean, Ignore},
      {"TabIndex", PropType::Integer, [](Object& o, const Value& v) { RC(o).SetTabIndex(v.Integer()); }},
      {"TabPanelIndex", PropType::Integer, Ignore},
      {"TabStop", PropType::Boolean, [](Object& o, const Value& v) { RC(o).SetTabStop(v.Boolean()); }},
      {"AllowAutoDeactivate", PropType::Boolean, Ignore},
      {"Enabled", PropType::Boolean, [](Object& o, const Value& v) { RC(o).SetEnabled(v.Boolean()); }},
      {"Visible", PropType::Boolean, [](Object& o, const Value& v) { RC(o).SetVisible(v.Boolean()); }},
      {"Tooltip", PropType::String,
       [](Object& o, const Value& v) { RC(o).W().setToolTip(QString::fromStdString(v.String())); }},
      {"AllowFocusRing", PropType::Boolean, Ignore},  // the style draws its own focus frame
      {"Transparent", PropType::Boolean, Ignore},
      {"InitialParent", PropType::String,
       [](Object&, const Value& v) {
         if (!v.String().empty()) Raise<UnsupportedFormatException>("controls inside controls are not supported");
       }},
  };
}

std::vector<PropertyDescriptor> RectControl::FontProperties() {
  return {
      {"Bold", PropType::Boolean,
       [](Object& o, const Value& v) {
         QWidget& w = RC(o).W();
         QFont f = w.font();
         f.setBold(v.Boolean());
         SetFontIfChanged(w, f);
       }},
      {"Italic", PropType::Boolean,
       [](Object& o, const Value& v) {
         QWidget& w = RC(o).W();
         QFont f = w.font();
         f.setItalic(v.Boolean());
         SetFontIfChanged(w, f);
       }},
      {"Underline", PropType::Boolean,
       [](Object& o, const Value& v) {
         QWidget& w = RC(o).W();
         QFont f = w.font();
         f.setUnderline(v.Boolean());
         SetFontIfChanged(w, f);
       }},
      {"FontName", PropType::String,
       [](Object& o, const Value& v) {
         QWidget& w = RC(o).W();
         QFont f = w.font();
         // "System" (or nothing) is the desktop's own font.
         f.setFamily(v.String().empty() || v.String() == "System" ? QApplication::font().family()
                                                                  : QString::fromStdString(v.String()));
         SetFontIfChanged(w, f);
       }},
      {"FontSize", PropType::Single,
       [](Object& o, const Value& v) {
         QWidget& w = RC(o).W();
         QFont f = w.font();
         // A point is one layout unit, like the records' coordinates; a size that rounds to no
         // pixel (0 among them) keeps the desktop's size, as Qt refuses a pixel size of 0.
         double size = v.Double();
         int pixels = size > 0 && size < 1000 ? static_cast<int>(size + 0.5) : 0;
         if (pixels > 0)
           f.setPixelSize(pixels);
         else
           f.setPointSizeF(QApplication::font().pointSizeF());
         SetFontIfChanged(w, f);
       }},
      {"FontUnit", PropType::Enum1, Ignore},
  };
}

void FillControlClass(ClassRecord& rec, std::span<const EventRow> ownEvents, std::vector<PropertyDescriptor> props,
                      Factory factory) {
  rec.AddEvents(ownEvents);
  rec.properties = std::move(props);
  rec.factory = factory;
  rec.AddTableToMethodList();
}

}  // namespace zefa
