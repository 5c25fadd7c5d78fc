#pragma once
// The Qt side of a framework window: it turns the toolkit's events into the window's events.
#include <QWidget>

class QKeyEvent;

namespace zefa {

class Window;

// A modifier, a lock or a layout switch pressed on its own (Shift, Caps Lock, Compose, the group
// switch, ...): no key press of its own, so it raises no KeyDown.
bool IsBareModifier(const QKeyEvent& e);

// True while a key or mouse press on one of the program's windows is being handled: the user is
// with the program, whichever window the desktop counts as active.
bool DeliveringUserPress();

class WindowWidget : public QWidget {
 public:
  explicit WindowWidget(Window* owner);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  // Moving the focus on from a control that disabled itself leaves it with the window instead.
  bool focusNextPrevChild(bool next) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void ReleaseHeldButtons();

  Window* owner_;
  Qt::MouseButtons held_;  // pressed in this window and not released yet
};

// The content area; presses that no control takes arrive here as the window's MouseDown.
class ContentWidget : public QWidget {
 public:
  ContentWidget(Window* owner, QWidget* parent);
  // The size it has: a resizable window is laid out at its record's size, not its minimum.
  QSize sizeHint() const override { return size(); }

 protected:
  void mousePressEvent(QMouseEvent* e) override;

 private:
  Window* owner_;
};

}  // namespace zefa
