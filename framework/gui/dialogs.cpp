#include "framework/gui/dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "framework/gui/application.h"
#include "framework/runtime/class_record.h"
#include "framework/runtime/ui_thread.h"
#include "framework/testing.h"

namespace zefa {

void Beep() {
  testing::NoteBeep();
  if (QApplication::instance()) QApplication::beep();
}

void MsgBox(const std::string& text) {
  CheckUIThread();
  RequireGui();
  QMessageBox box(QMessageBox::NoIcon, QString(), QString::fromStdString(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  if (testing::NoteMessageBox(text)) QTimer::singleShot(0, &box, [&box] { box.done(QMessageBox::Ok); });
  box.exec();
}

const ClassRecord& MessageDialog::Class() {
  static ClassOnce once;
  return BuildClassOnce(once, "MessageDialog");
}

}  // namespace zefa
