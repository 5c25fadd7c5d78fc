#include "framework/gui/canvas.h"

#include <QPainter>

#include "framework/gui/private/widgets.h"
#include "framework/runtime/ui_thread.h"

namespace zefa {

struct CanvasAccess {
  static void SetAllowFocus(Canvas& c, bool on) {
    c.allowFocus_ = on;
    c.SetTabStop(c.TabStop());  // re-applies the focus policy
  }
};

namespace {

class CanvasWidget : public QWidget {
 public:
  CanvasWidget(Canvas* owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    if (const Ref<Picture>& pic = owner_->Backdrop(); pic && !pic->Image().isNull()) {
      QPainter p(this);
      p.drawImage(QPoint(0, 0), pic->Image());
    }
  }

 private:
  Canvas* owner_;
};

Object* MakeCanvas(const ClassRecord& cls) { return new Canvas(cls); }

}  // namespace

const ClassRecord& Canvas::Class() {
  static constexpr EventRow kEvents[] = {
      ZEFA_EVENT(Activate), ZEFA_EVENT(Deactivate), ZEFA_EVENT(DoubleClick), ZEFA_EVENT(EnableMenuItems),
      ZEFA_EVENT(GotFocus), ZEFA_EVENT(LostFocus), ZEFA_EVENT(MouseDown), ZEFA_EVENT(MouseDrag),
      ZEFA_EVENT(MouseUp), ZEFA_EVENT(Paint), ZEFA_EVENT(ScaleFactorChanged),
  };
  static_assert(InEventOrder(kEvents, RectControl::kEventCount, kEventCount));
  static ClassOnce once;
  return BuildClassOnce(once, "Canvas", &RectControl::Class, [](ClassRecord& rec) {
    FillControlClass(
        rec, kEvents,
        {
            {"AllowFocus", PropType::Boolean,
             [](Object& o, const Value& v) { CanvasAccess::SetAllowFocus(CheckedAs<Canvas>(o), v.Boolean()); }},
            {"AllowTabs", PropType::Boolean, Ignore},
            {"DoubleBuffer", PropType::Boolean, Ignore},  // Qt always double-buffers
        },
        MakeCanvas);
  });
}

void Canvas::CreateWidget(ContentWidget* parent) { native_->widget = new CanvasWidget(this, parent); }

void Canvas::SetBackdrop(Ref<Picture> pic) {
  CheckUIThread();
  backdrop_ = std::move(pic);
  if (Widget()) Widget()->update();
}

}  // namespace zefa
