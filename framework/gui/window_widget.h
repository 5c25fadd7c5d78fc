#pragma once
// The Qt side of a framework window: it turns the toolkit's events into the window's events.
#include <QWidget>

namespace zefa {

class Window;

class WindowWidget : public QWidget {
 public:
  explicit WindowWidget(Window* owner);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  Window* owner_;
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
