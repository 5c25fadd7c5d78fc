#include "framework/gui/private/window_widget.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

#include "framework/gui/application.h"
#include "framework/gui/window.h"

namespace zefa {

namespace {

// X keysyms of keys that only change what other keys do: the ISO shifts, latches, locks and
// group switches, Num and Scroll Lock, Compose, the shift-like modifiers, and the Japanese
// input's lock and shift keys.
bool IsModifierKeysym(quint32 sym) {
  return (sym >= 0xFE01 && sym <= 0xFE13) ||  // ISO_Lock .. ISO_Level5_Lock
         (sym >= 0xFFE1 && sym <= 0xFFEE) ||  // Shift_L .. Hyper_R, Caps_Lock and Shift_Lock among them
         (sym >= 0xFF2D && sym <= 0xFF30) ||  // Kana_Lock, Kana_Shift, Eisu_Shift, Eisu_toggle
         sym == 0xFF7E ||                     // Mode_switch
         sym == 0xFF7F ||                     // Num_Lock
         sym == 0xFF14 ||                     // Scroll_Lock
         sym == 0xFF20;                       // Multi_key (Compose)
}

int pressesInDelivery = 0;

// Counts a press from the toolkit while its handler runs.
class PressInDelivery {
 public:
  PressInDelivery() { ++pressesInDelivery; }
  ~PressInDelivery() { --pressesInDelivery; }
  PressInDelivery(const PressInDelivery&) = delete;
  PressInDelivery& operator=(const PressInDelivery&) = delete;
};

}  // namespace

bool DeliveringUserPress() { return pressesInDelivery > 0; }

bool IsBareModifier(const QKeyEvent& e) {
  // On X the key's keysym tells what the key is, whatever Qt names it; where the platform gives
  // none, Qt's key code does.
  if (IsModifierKeysym(e.nativeVirtualKey())) return true;
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
    case Qt::Key_ScrollLock:
    case Qt::Key_Multi_key:
    case Qt::Key_Kana_Lock:
    case Qt::Key_Kana_Shift:
    case Qt::Key_Eisu_Shift:
    case Qt::Key_Eisu_toggle:
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
  PressInDelivery press;
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

// The window's presses and releases pass its toolkit window first, whichever control they go to.
void WindowWidget::showEvent(QShowEvent* e) {
  if (QWindow* w = windowHandle()) w->installEventFilter(this);
  QWidget::showEvent(e);
}

bool WindowWidget::eventFilter(QObject* watched, QEvent* e) {
  if (watched == windowHandle() && (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease ||
                                    e->type() == QEvent::MouseButtonDblClick))
    held_ = static_cast<QMouseEvent*>(e)->buttons();
  return QWidget::eventFilter(watched, e);
}

// A window hidden while a button pressed in it is down (the splash hands over on the press
// itself) would keep that press: the release goes to whatever is under the pointer now, often
// not this program, and the toolkit goes on sending every pointer move to the hidden window, so
// that no control of another window sees the pointer come or go. The window lets go of it.
void WindowWidget::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  if (held_ != Qt::NoButton) QTimer::singleShot(0, this, [this] { ReleaseHeldButtons(); });
}

// Each button still held is released outside the window, where it clicks no control.
void WindowWidget::ReleaseHeldButtons() {
  QWindow* w = windowHandle();
  while (held_ != Qt::NoButton && w && !isVisible()) {
    auto button = static_cast<Qt::MouseButton>(held_.toInt() & -held_.toInt());
    held_ &= ~button;
    QPointF away(-1, -1);
    QMouseEvent release(QEvent::MouseButtonRelease, away, w->mapToGlobal(away), button, held_, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
  }
}

ContentWidget::ContentWidget(Window* owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

void ContentWidget::mousePressEvent(QMouseEvent* e) {
  bool handled = false;
  QPoint p = e->position().toPoint();
  PressInDelivery press;
  DeliverFromToolkit([&] { handled = owner_->OnMouseDown(p.x(), p.y()); });
  if (handled)
    e->accept();
  else
    QWidget::mousePressEvent(e);
}

}  // namespace zefa
