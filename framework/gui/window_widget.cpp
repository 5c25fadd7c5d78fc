#include "framework/gui/window_widget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "framework/gui/application.h"
#include "framework/gui/window.h"

namespace zefa {

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
  bool handled = false;
  std::string key = e->text().toStdString();
  DeliverFromToolkit([&] { handled = owner_->OnKeyDown(key); });
  if (handled)
    e->accept();
  else
    QWidget::keyPressEvent(e);
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
