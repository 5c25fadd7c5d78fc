#include "framework/gui/push_button.h"

#include <QPushButton>

#include "framework/gui/application.h"
#include "framework/gui/private/widgets.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/ui_thread.h"

namespace zefa {
namespace {

class ButtonWidget : public QPushButton {
 public:
  ButtonWidget(PushButton* owner, QWidget* parent) : QPushButton(parent), owner_(owner) {
    connect(this, &QPushButton::clicked, this,
            [this] { DeliverFromToolkit([&] { RaiseEvent(*owner_, PushButton::kAction); }); });
  }

 protected:
  void focusInEvent(QFocusEvent* e) override {
    QPushButton::focusInEvent(e);
    DeliverFromToolkit([&] { RaiseEvent(*owner_, PushButton::kGotFocus); });
  }
  void focusOutEvent(QFocusEvent* e) override {
    QPushButton::focusOutEvent(e);
    DeliverFromToolkit([&] { RaiseEvent(*owner_, PushButton::kLostFocus); });
  }

 private:
  PushButton* owner_;
};

QPushButton& QB(const PushButton& b) {
  QWidget* w = b.Widget();
  if (!w) Raise<RuntimeException>("the button has not been constructed");
  return static_cast<QPushButton&>(*w);
}
QPushButton& QB(Object& o) { return QB(CheckedAs<PushButton>(o)); }
Object* MakeButton(const ClassRecord& cls) { return new PushButton(cls); }

}  // namespace

const ClassRecord& PushButton::Class() {
  static constexpr EventRow kEvents[] = {ZEFA_EVENT(Action), ZEFA_EVENT(GotFocus), ZEFA_EVENT(LostFocus),
                                         ZEFA_EVENT(MouseDown), ZEFA_EVENT(MouseUp)};
  static_assert(InEventOrder(kEvents, RectControl::kEventCount, kEventCount));
  static ClassOnce once;
  return BuildClassOnce(once, "PushButton", &RectControl::Class, [](ClassRecord& rec) {
    std::vector<PropertyDescriptor> props = {
        {"MacButtonStyle", PropType::Enum8, Ignore},
        {"Cancel", PropType::Boolean, Ignore},
        {"Default", PropType::Boolean, [](Object& o, const Value& v) { QB(o).setDefault(v.Boolean()); }},
        {"Caption", PropType::String,
         [](Object& o, const Value& v) { QB(o).setText(QString::fromStdString(v.String())); }},
    };
    for (auto& f : FontProperties()) props.push_back(f);
    FillControlClass(rec, kEvents, std::move(props), MakeButton);
  });
}

void PushButton::CreateWidget(ContentWidget* parent) {
  auto* b = new ButtonWidget(this, parent);
  b->setAutoDefault(false);
  native_->widget = b;
}

std::string PushButton::Caption() const {
  CheckUIThread();
  return QB(*this).text().toStdString();
}

}  // namespace zefa
