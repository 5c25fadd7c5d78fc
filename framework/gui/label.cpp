#include "framework/gui/label.h"

#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "framework/gui/application.h"
#include "framework/gui/private/widgets.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/ui_thread.h"

namespace zefa {
namespace {

class LabelWidget : public QLabel {
 public:
  LabelWidget(Label* owner, QWidget* parent) : QLabel(parent), owner_(owner) {}

 protected:
  // A one-line text wider than the label is drawn smaller rather than cut off at both ends:
  // desktop fonts here run wider than the ones the layouts were drawn with.
  void paintEvent(QPaintEvent* e) override {
    QRectF area = contentsRect();
    qreal wide = QFontMetricsF(font()).horizontalAdvance(text());
    if (wordWrap() || wide <= area.width() || wide <= 0) return QLabel::paintEvent(e);
    QFont f = font();
    qreal size = f.pixelSize() > 0 ? f.pixelSize() : QFontInfo(f).pixelSize();
    f.setPixelSize(std::max(6, static_cast<int>(size * area.width() / wide)));
    QPainter p(this);
    p.setFont(f);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(area, static_cast<int>(alignment()), text());
  }
  void enterEvent(QEnterEvent* e) override {
    DeliverFromToolkit([&] { RaiseEvent(*owner_, RectControl::kMouseEnter); });
    QLabel::enterEvent(e);
  }
  void leaveEvent(QEvent* e) override {
    DeliverFromToolkit([&] { RaiseEvent(*owner_, RectControl::kMouseExit); });
    QLabel::leaveEvent(e);
  }
  void mousePressEvent(QMouseEvent* e) override {
    bool handled = false;
    QPoint p = e->position().toPoint();
    DeliverFromToolkit([&] {
      Value v = RaiseEvent(*owner_, Label::kMouseDown, std::vector<Value>{Value(int64_t{p.x()}), Value(int64_t{p.y()})});
      handled = !v.IsNil() && v.Boolean();
    });
    // An unhandled press goes on to the window.
    if (handled)
      e->accept();
    else
      e->ignore();
  }

 private:
  Label* owner_;
};

Label& L(Object& o) { return CheckedAs<Label>(o); }
QLabel& QL(const Label& l) {
  QWidget* w = l.Widget();
  if (!w) Raise<RuntimeException>("the label has not been constructed");
  return static_cast<QLabel&>(*w);
}
QLabel& QL(Object& o) { return QL(L(o)); }
Object* MakeLabel(const ClassRecord& cls) { return new Label(cls); }

}  // namespace

const ClassRecord& Label::Class() {
  static constexpr EventRow kEvents[] = {ZEFA_EVENT(AcceleratorKey), ZEFA_EVENT(MouseDown), ZEFA_EVENT(MouseDrag),
                                         ZEFA_EVENT(MouseUp)};
  static_assert(InEventOrder(kEvents, RectControl::kEventCount, kEventCount));
  static ClassOnce once;
  return BuildClassOnce(once, "Label", &RectControl::Class, [](ClassRecord& rec) {
    std::vector<PropertyDescriptor> props = {
        {"MultiLine", PropType::Boolean, [](Object& o, const Value& v) { QL(o).setWordWrap(v.Boolean()); }},
        {"Selectable", PropType::Boolean,
         [](Object& o, const Value& v) {
           QL(o).setTextInteractionFlags(v.Boolean() ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
         }},
        {"TextAlignment", PropType::Enum8,
         [](Object& o, const Value& v) { QL(o).setAlignment(AlignmentFor(v.Integer())); }},
        {"TextColor", PropType::Color,
         [](Object& o, const Value& v) {
           QPalette p = QL(o).palette();
           p.setColor(QPalette::WindowText, ColorFromValue(static_cast<uint32_t>(v.Integer())));
           QL(o).setPalette(p);
         }},
        {"Value", PropType::String, [](Object& o, const Value& v) { L(o).SetText(v.String()); }},
        {"Text", PropType::String, [](Object& o, const Value& v) { L(o).SetText(v.String()); }},
        {"DataSource", PropType::String, Ignore},
        {"DataField", PropType::String, Ignore},
    };
    for (auto& f : FontProperties()) props.push_back(f);
    FillControlClass(rec, kEvents, std::move(props), MakeLabel);
  });
}

void Label::CreateWidget(ContentWidget* parent) {
  auto* w = new LabelWidget(this, parent);
  w->setTextFormat(Qt::PlainText);
  w->setTextInteractionFlags(Qt::NoTextInteraction);
  native_->widget = w;
}

std::string Label::Text() const {
  CheckUIThread();
  return QL(*this).text().toStdString();
}

void Label::SetText(const std::string& text) {
  CheckUIThread();
  QL(*this).setText(QString::fromStdString(text));
}

}  // namespace zefa
