#include "framework/text_area_widget.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>

#include "framework/application.h"
#include "framework/delegate.h"
#include "framework/text_area.h"

namespace zefa {

TextAreaWidget::TextAreaWidget(TextArea* owner, QWidget* parent) : QPlainTextEdit(parent), owner_(owner) {
  setTabChangesFocus(true);
  document()->setDocumentMargin(2);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(this, &QPlainTextEdit::textChanged, this, [this] { OnTextChanged(); });
}

void TextAreaWidget::SetProgramText(const QString& text) {
  settingByProgram_ = true;
  setPlainText(text);
  settingByProgram_ = false;
  accepted_ = toPlainText();
}

void TextAreaWidget::SetAlignment(Qt::Alignment a) {
  QTextOption opt = document()->defaultTextOption();
  opt.setAlignment(a);
  document()->setDefaultTextOption(opt);
  // Existing blocks keep their own format; bring them in line too.
  QTextCursor c(document());
  c.select(QTextCursor::Document);
  QTextBlockFormat f;
  f.setAlignment(a);
  c.mergeBlockFormat(f);
}

bool TextAreaWidget::Fits(const QString& text) const {
  if (!multiLine_ && text.contains(QChar('\n'))) return false;
  if (maxChars_ > 0 && text.toUcs4().size() > maxChars_) return false;
  if (mask_.isEmpty()) return true;
  if (text.size() > mask_.size()) return false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    QChar m = mask_[i], t = text[i];
    if (m == QChar('#') ? !(t >= QChar('0') && t <= QChar('9')) : t != m) return false;
  }
  return true;
}

void TextAreaWidget::OnTextChanged() {
  if (settingByProgram_ || restoring_) return;
  QString now = toPlainText();
  if (Fits(now)) {
    if (now == accepted_) return;
    accepted_ = now;
    DeliverFromToolkit([&] { RaiseEvent(*owner_, TextArea::kTextChange); });
    return;
  }
  restoring_ = true;
  setPlainText(accepted_);
  moveCursor(QTextCursor::End);
  restoring_ = false;
  DeliverFromToolkit([&] { RaiseEvent(*owner_, TextArea::kValidationError); });
}

void TextAreaWidget::keyPressEvent(QKeyEvent* e) {
  bool handled = false;
  std::string key = e->text().toStdString();
  DeliverFromToolkit([&] {
    Value v = RaiseEvent(*owner_, RectControl::kKeyDown, std::vector<Value>{Value(key)});
    handled = !v.IsNil() && v.Boolean();
  });
  if (handled)
    e->accept();
  else
    QPlainTextEdit::keyPressEvent(e);
}

void TextAreaWidget::focusInEvent(QFocusEvent* e) {
  QPlainTextEdit::focusInEvent(e);
  DeliverFromToolkit([&] { RaiseEvent(*owner_, TextArea::kGotFocus); });
}

void TextAreaWidget::focusOutEvent(QFocusEvent* e) {
  QPlainTextEdit::focusOutEvent(e);
  DeliverFromToolkit([&] { RaiseEvent(*owner_, TextArea::kLostFocus); });
}

}  // namespace zefa
