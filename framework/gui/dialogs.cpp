#include "framework/gui/dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include "framework/gui/application.h"
#include "framework/runtime/class_record.h"
#include "framework/runtime/observer.h"
#include "framework/runtime/ui_thread.h"

namespace zefa {

void Beep() {
  if (Observer* o = InstalledObserver()) o->Beep();
  if (QApplication::instance()) QApplication::beep();
}

void MsgBox(const std::string& text) {
  CheckUIThread();
  RequireGui();
  QPointer<QWidget> owner = QApplication::activeWindow();
  QMessageBox box(QMessageBox::NoIcon, QString(), QString::fromStdString(text), QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);
  Observer* o = InstalledObserver();
  if (o && o->MessageBoxShown(text)) QTimer::singleShot(0, &box, [&box] { box.done(QMessageBox::Ok); });
  box.exec();
  // The window the box belonged to takes the focus back: with no window manager to hand it
  // over, its shortcuts and menus would wait for a click.
  if (owner && owner->isVisible()) owner->activateWindow();
}

const ClassRecord& MessageDialog::Class() {
  static ClassOnce once;
  return BuildClassOnce(once, "MessageDialog");
}

}  // namespace zefa
