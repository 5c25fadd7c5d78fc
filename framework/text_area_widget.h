#pragma once
// The Qt side of a TextArea: a plain-text editor that refuses user edits that break its mask.
#include <QPlainTextEdit>

namespace zefa {

class TextArea;

class TextAreaWidget : public QPlainTextEdit {
 public:
  TextAreaWidget(TextArea* owner, QWidget* parent);

  void SetProgramText(const QString& text);
  void SetMask(const QString& mask) { mask_ = mask; }
  const QString& Mask() const { return mask_; }
  void SetMaxChars(int64_t n) { maxChars_ = n; }
  int64_t MaxChars() const { return maxChars_; }
  void SetMultiLine(bool on) { multiLine_ = on; }
  void SetAlignment(Qt::Alignment a);
  // Whether a text is one the user may leave in the field.
  bool Fits(const QString& text) const;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  void OnTextChanged();

  TextArea* owner_;
  QString mask_;
  int64_t maxChars_ = 0;
  bool multiLine_ = true;
  QString accepted_;  // the text before the edit in progress, to restore a refused one
  bool settingByProgram_ = false;
  bool restoring_ = false;
};

}  // namespace zefa
