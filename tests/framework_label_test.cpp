// A label's drawing: a one-line text wider than the label is drawn smaller, whole, rather than
// cut off.
#include <QImage>
#include <QWidget>

#include "framework/gui/label.h"
#include "framework/gui/private/widgets.h"
#include "framework/gui/window.h"
#include "fresh_start.h"

using namespace zefa;

namespace {

// The rows and columns that hold ink when the label is drawn on white.
QRect Ink(QWidget* label) {
  QImage image(label->size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  label->render(&image, {}, {}, QWidget::DrawChildren);
  QRect ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) ink |= QRect(x, y, 1, 1);
  return ink;
}

}  // namespace

using LabelDrawing = FreshStart;

TEST_F(LabelDrawing, TooWideTextIsDrawnSmallerNotCutOff) {
  Ref<Window> w = CheckCast<Window>(RuntimeNewObject(Window::Class()));
  w->Constructor();
  Ref<Label> label = CheckCast<Label>(w->New(Label::Class()));
  label->Constructor();
  label->SetText("Predicted Achievement Score");
  QWidget* widget = label->Widget();
  widget->resize(1000, 22);
  QRect wide = Ink(widget);
  ASSERT_FALSE(wide.isEmpty());
  widget->resize(wide.right() / 2, 22);  // room for half the text
  QRect narrow = Ink(widget);
  ASSERT_FALSE(narrow.isEmpty());
  EXPECT_LT(narrow.height(), wide.height());           // a smaller font
  EXPECT_GT(narrow.width(), widget->width() * 3 / 4);  // across the label, not shrunk to a speck
  w->Teardown();
}
