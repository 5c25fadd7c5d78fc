#pragma once
// The Qt side of controls, windows, pictures and menus, for framework/gui's own sources and the
// tests. The framework's public headers name no Qt type: this header gives their accessors of
// widgets and pixels their types, so nothing above the framework can reach them.
#include <QColor>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <cstdint>

#include "framework/gui/control.h"
#include "framework/gui/menu.h"
#include "framework/gui/picture.h"
#include "framework/gui/window.h"
#include "framework/gui/private/window_widget.h"

class QMenuBar;

namespace zefa {

struct RectControl::Native {
  QPointer<QWidget> widget;  // null once the window's widget has taken it down
};
inline auto RectControl::Widget() const { return native_->widget.data(); }

// The picture's pixels: a QImage under the framework's own name.
struct Picture::Bitmap : QImage {
  Bitmap(QImage image) : QImage(std::move(image)) {}
};

// Colour values are 0x00RRGGBB; the top byte is alpha, 0 meaning opaque.
QColor ColorFromValue(uint32_t v);
// TextAlignment 2 centres a line of text, 3 sets it right, any other value left; vertically
// it is centred.
Qt::Alignment AlignmentFor(int64_t textAlignment);

// The Qt menu bar that shows the tree in one window.
QMenuBar* BuildMenuBar(const MenuItem& bar, QWidget* window);

}  // namespace zefa
