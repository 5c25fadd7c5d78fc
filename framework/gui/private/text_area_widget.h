#pragma once
// The Qt side of a TextArea: a one-line editor that keeps its text exactly as given (line breaks
// included) and refuses any user edit whose result does not fit the mask and length.
#include <QLineEdit>
#include <QValidator>

namespace zefa {

class TextArea;

// A mask position by position: '#' takes one digit, any other character stands for itself.
class MaskValidator : public QValidator {
 public:
  explicit MaskValidator(QObject* parent) : QValidator(parent) {}
  State validate(QString& text, int& pos) const override;
  bool Fits(const QString& text) const;

  QString mask;
  int64_t maxChars = 0;
  bool multiLine = true;
};

class TextAreaWidget : public QLineEdit {
 public:
  TextAreaWidget(TextArea* owner, QWidget* parent);

  void SetProgramText(const QString& text);
  // Every Cut (key, Edit menu, context menu) comes here: one the rules refuse is refused before
  // anything is copied, so it leaves the clipboard as it was.
  void Cut();
  MaskValidator& Rules() { return *rules_; }
  const MaskValidator& Rules() const { return *rules_; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  void Refuse();

  TextArea* owner_;
  MaskValidator* rules_;
  bool programEdit_ = false;  // while the program sets the text
};

}  // namespace zefa
