#include "framework/gui/text_area.h"

#include <QPalette>

#include "framework/gui/private/text_area_widget.h"
#include "framework/gui/private/widgets.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/ui_thread.h"

namespace zefa {
namespace {

TextArea& T(Object& o) { return CheckedAs<TextArea>(o); }
TextAreaWidget& TW(const TextArea& t) {
  QWidget* w = t.Widget();
  if (!w) Raise<RuntimeException>("the text field has not been constructed");
  return static_cast<TextAreaWidget&>(*w);
}
TextAreaWidget& TW(Object& o) { return TW(T(o)); }
Object* MakeTextArea(const ClassRecord& cls) { return new TextArea(cls); }

void SetColor(Object& o, QPalette::ColorRole role, const Value& v) {
  QColor c = ColorFromValue(static_cast<uint32_t>(v.Integer()));
  if (TW(o).palette().color(role) == c) return;  // re-polishing costs more than the check
  QPalette p = TW(o).palette();
  p.setColor(role, c);
  TW(o).setPalette(p);
}

}  // namespace

const ClassRecord& TextEdit::Class() {
  static ClassOnce once;
  return BuildClassOnce(once, "TextEdit", &RectControl::Class);
}

const ClassRecord& TextArea::Class() {
  static constexpr EventRow kEvents[] = {
      ZEFA_EVENT(EnableMenuItems), ZEFA_EVENT(GotFocus), ZEFA_EVENT(LostFocus), ZEFA_EVENT(MouseDown),
      ZEFA_EVENT(MouseUp), ZEFA_EVENT(SelChange), ZEFA_EVENT(TextChange), ZEFA_EVENT(ValidationError),
  };
  static_assert(InEventOrder(kEvents, RectControl::kEventCount, kEventCount));
  static ClassOnce once;
  return BuildClassOnce(once, "TextArea", &TextEdit::Class, [](ClassRecord& rec) {
    std::vector<PropertyDescriptor> props = {
        {"BackgroundColor", PropType::Color, [](Object& o, const Value& v) { SetColor(o, QPalette::Base, v); }},
        {"TextColor", PropType::Color, [](Object& o, const Value& v) { SetColor(o, QPalette::Text, v); }},
        {"HasBorder", PropType::Boolean, [](Object& o, const Value& v) { TW(o).setFrame(v.Boolean()); }},
        {"Format", PropType::String, Ignore},
        {"HideSelection", PropType::Boolean, Ignore},
        {"LineHeight", PropType::Double, Ignore},
        {"LineSpacing", PropType::Double, Ignore},
        {"MultiLine", PropType::Boolean, [](Object& o, const Value& v) { TW(o).Rules().multiLine = v.Boolean(); }},
        // The field shows one line and scrolls with the cursor; there are no scroll bars to show.
        {"HasHorizontalScrollbar", PropType::Boolean, Ignore},
        {"HasVerticalScrollbar", PropType::Boolean, Ignore},
        {"AllowStyledText", PropType::Boolean, Ignore},
        {"Value", PropType::String, [](Object& o, const Value& v) { T(o).SetText(v.String()); }},
        {"Text", PropType::String, [](Object& o, const Value& v) { T(o).SetText(v.String()); }},
        {"AllowTabs", PropType::Boolean,
         [](Object&, const Value& v) {
           if (v.Boolean()) Raise<UnsupportedFormatException>("text fields here do not take tab characters");
         }},
        {"TextAlignment", PropType::Enum8,
         [](Object& o, const Value& v) { TW(o).setAlignment(AlignmentFor(v.Integer())); }},
        {"AllowSpellChecking", PropType::Boolean, Ignore},
        {"MaximumCharactersAllowed", PropType::Integer,
         [](Object& o, const Value& v) { TW(o).Rules().maxChars = std::max<int64_t>(v.Integer(), 0); }},
        {"ValidationMask", PropType::String,
         [](Object& o, const Value& v) { TW(o).Rules().mask = QString::fromStdString(v.String()); }},
        {"ReadOnly", PropType::Boolean, [](Object& o, const Value& v) { TW(o).setReadOnly(v.Boolean()); }},
        {"DataSource", PropType::String, Ignore},
        {"DataField", PropType::String, Ignore},
    };
    for (auto& f : FontProperties()) props.push_back(f);
    FillControlClass(rec, kEvents, std::move(props), MakeTextArea);
  });
}

void TextArea::CreateWidget(ContentWidget* parent) { native_->widget = new TextAreaWidget(this, parent); }

std::string TextArea::Text() const {
  CheckUIThread();
  return TW(*this).text().toStdString();
}

void TextArea::SetText(const std::string& text) {
  CheckUIThread();
  TW(*this).SetProgramText(QString::fromStdString(text));
}

bool TextArea::ReadOnly() const { return TW(*this).isReadOnly(); }
std::string TextArea::ValidationMask() const { return TW(*this).Rules().mask.toStdString(); }
int64_t TextArea::MaximumCharactersAllowed() const { return TW(*this).Rules().maxChars; }

}  // namespace zefa
