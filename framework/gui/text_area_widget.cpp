#include "framework/gui/private/text_area_widget.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/text_area.h"
#include "framework/gui/private/window_widget.h"
#include "framework/runtime/delegate.h"

namespace zefa {

bool MaskValidator::Fits(const QString& text) const {
  if (!multiLine && (text.contains(QChar('\n')) || text.contains(QChar('\r')))) return false;
  if (maxChars > 0 && text.toUcs4().size() > maxChars) return false;
  if (mask.isEmpty()) return true;
  if (text.size() > mask.size()) return false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    QChar m = mask[i], t = text[i];
    if (m == QChar('#') ? !(t >= QChar('0') && t <= QChar('9')) : t != m) return false;
  }
  return true;
}

QValidator::State MaskValidator::validate(QString& text, int&) const {
  return Fits(text) ? Acceptable : Invalid;
}

TextAreaWidget::TextAreaWidget(TextArea* owner, QWidget* parent)
    : QLineEdit(parent), owner_(owner), rules_(new MaskValidator(this)) {
  setValidator(rules_);
  connect(this, &QLineEdit::textEdited, this,
          [this] { DeliverFromToolkit([&] { RaiseEvent(*owner_, TextArea::kTextChange); }); });
  connect(this, &QLineEdit::inputRejected, this, [this] {
    if (!programEdit_) Refuse();  // Qt reports program text that misses the mask too
  });
}

// A refused edit is heard, so that the user notices that it left no trace.
void TextAreaWidget::Refuse() {
  Beep();
  DeliverFromToolkit([&] { RaiseEvent(*owner_, TextArea::kValidationError); });
}

// Qt's own Cut copies first and only then learns that the deletion is refused.
void TextAreaWidget::Cut() {
  if (isReadOnly() || !hasSelectedText()) return;
  QString rest = text();
  rest.remove(selectionStart(), selectionLength());
  if (!rules_->Fits(rest)) return Refuse();
  copy();
  del();
}

// Text from the program is set as given: the rules bind the user's edits only.
void TextAreaWidget::SetProgramText(const QString& text) {
  if (text == this->text()) return;
  programEdit_ = true;
  setText(text);
  programEdit_ = false;
}

void TextAreaWidget::keyPressEvent(QKeyEvent* e) {
  if (IsBareModifier(*e)) return QLineEdit::keyPressEvent(e);
  bool handled = false;
  std::string key = e->text().toStdString();
  DeliverFromToolkit([&] {
    Value v = RaiseEvent(*owner_, RectControl::kKeyDown, std::vector<Value>{Value(key)});
    handled = !v.IsNil() && v.Boolean();
  });
  if (handled) return e->accept();
  if (!e->matches(QKeySequence::Cut)) return QLineEdit::keyPressEvent(e);
  Cut();
  e->accept();
}

// Qt's menu, its Cut entry led to ours (Qt joins the entry to its slot by name).
void TextAreaWidget::contextMenuEvent(QContextMenuEvent* e) {
  QMenu* menu = createStandardContextMenu();
  for (QAction* a : menu->actions())
    if (disconnect(a, SIGNAL(triggered()), this, SLOT(cut()))) connect(a, &QAction::triggered, this, &TextAreaWidget::Cut);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(e->globalPos());
}

void TextAreaWidget::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  DeliverFromToolkit([&] { RaiseEvent(*owner_, TextArea::kGotFocus); });
}

void TextAreaWidget::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  DeliverFromToolkit([&] { RaiseEvent(*owner_, TextArea::kLostFocus); });
}

}  // namespace zefa
