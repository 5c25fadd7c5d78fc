#include "framework/gui/push_button.h"

#include <QPushButton>

#include "framework/gui/application.h"
#include "framework/gui/widgets.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"

namespace zefa {
namespace {

class ButtonWidget : public QPushButton {
 public:
  ButtonWidget(PushButton* owner, QWidget* parent) : QPushButton(parent), owner_(owner) {
    connect(this, &QPushButton::clicked, [this] { DeliverFromToolkit([&] { RaiseEvent(*owner_, PushButton::kAction); }); });
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

QPushButton& QB(Object& o) {
  QWidget* w = static_cast<PushButton&>(o).Widget();
  if (!w) Raise<RuntimeException>("the button has not been constructed");
  return static_cast<QPushButton&>(*w);
}
Object* MakeButton(const ClassRecord& cls) { return new PushButton(cls); }
void Ignore(Object&, const Value&) {}

}  // namespace

const ClassRecord& PushButton::Class() {
  static ClassRecord* rec = nullptr;
  if (rec) return *rec;
  std::vector<PropertyDescriptor> props = {
      {"MacButtonStyle", PropType::Enum8, Ignore},
      {"Cancel", PropType::Boolean, Ignore},
      {"Default", PropType::Boolean, [](Object& o, const Value& v) { QB(o).setDefault(v.Boolean()); }},
      {"Caption", PropType::String,
       [](Object& o, const Value& v) { QB(o).setText(QString::fromStdString(v.String())); }},
  };
  for (auto& f : FontProperties()) props.push_back(f);
  rec = &NewControlClass("PushButton", {"Action", "GotFocus", "LostFocus", "MouseDown", "MouseUp"},
                         std::move(props), MakeButton);
  return *rec;
}

void PushButton::CreateWidget(ContentWidget* parent) {
  auto* b = new ButtonWidget(this, parent);
  b->setAutoDefault(false);
  native_->widget = b;
}

std::string PushButton::Caption() const { return static_cast<QPushButton*>(Widget())->text().toStdString(); }

}  // namespace zefa
