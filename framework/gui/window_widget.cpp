#include "framework/gui/private/window_widget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "framework/gui/application.h"
#include "framework/gui/window.h"

namespace zefa {

bool IsBareModifier(const QKeyEvent& e) {
  switch (e.key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
      return true;
    default:
      return false;
  }
}

WindowWidget::WindowWidget(Window* owner) : owner_(owner) {}

void WindowWidget::closeEvent(QCloseEvent* e) {
  bool accept = true;
  DeliverFromToolkit([&] { accept = owner_->OnCloseRequested(); });
  if (accept)
    e->accept();
  else
    e->ignore();
}

void WindowWidget::keyPressEvent(QKeyEvent* e) {
  if (IsBareModifier(*e)) return QWidget::keyPressEvent(e);
  bool handled = false;
  std::string key = e->text().toStdString();
  DeliverFromToolkit([&] { handled = owner_->OnKeyDown(key); });
  if (handled)
    e->accept();
  else
    QWidget::keyPressEvent(e);
}

// Qt calls this when the focused control is disabled; the focus then stays with the window rather
// than passing to a control the user did not choose. Tab and Backtab go on as usual.
bool WindowWidget::focusNextPrevChild(bool next) {
  QWidget* focused = focusWidget();
  if (focused && focused != this && !focused->isEnabled()) {
    setFocus(Qt::OtherFocusReason);
    return true;
  }
  return QWidget::focusNextPrevChild(next);
}

ContentWidget::ContentWidget(Window* owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

void ContentWidget::mousePressEvent(QMouseEvent* e) {
  bool handled = false;
  QPoint p = e->position().toPoint();
  DeliverFromToolkit([&] { handled = owner_->OnMouseDown(p.x(), p.y()); });
  if (handled)
    e->accept();
  else
    QWidget::mousePressEvent(e);
}

}  // namespace zefa
