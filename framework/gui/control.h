#pragma once
// Controls: objects that belong to a window and own one Qt widget inside its content area.
// The widget is framework/gui's business: widgets.h gives its accessors their types.
#include <memory>
#include <string>
#include <vector>

#include "framework/runtime/class_record.h"

namespace zefa {

class Window;
class ContentWidget;

// The Index of a control that is not part of a control array.
inline constexpr int64_t kNoControlArray = -2147483648LL;

class Control : public Object {
 public:
  enum Event { kClose, kCreatePane, kOpen, kEventCount };
  static const ClassRecord& Class();
  explicit Control(const ClassRecord& cls) : Object(cls) {}

  Window* Owner() const { return owner_; }
  void SetOwner(Window* w) { owner_ = w; }
  const std::string& RegisteredName() const { return registeredName_; }
  void SetRegisteredName(std::string n) { registeredName_ = std::move(n); }
  int64_t Index() const { return index_; }
  void SetIndex(int64_t i) { index_ = i; }

 private:
  Window* owner_ = nullptr;  // the window outlives its controls
  std::string registeredName_;
  int64_t index_ = kNoControlArray;
};

class RectControl : public Control {
 public:
  // RectControl's class table; the four control classes share it.
  enum Slot { kConstructor, kSetFocus, kSlotCount };
  // Event numbers of RectControl's own events, after Control's.
  enum Event {
    kConstructContextualMenu = Control::kEventCount, kContextualMenuAction, kDragEnter, kDragExit, kDragOver,
    kDropObject, kKeyDown, kKeyUp, kMouseEnter, kMouseExit, kMouseMove, kMouseWheel, kEventCount
  };
  // How a widget takes the focus: not at all, by a click, or by a click and the Tab key.
  enum class FocusPolicy { kNone, kClick, kStrong };
  static const ClassRecord& Class();
  explicit RectControl(const ClassRecord& cls);
  ~RectControl() override;

  // Makes the widget inside the owner window's content area.
  void Constructor();
  // The Qt widget, or null before construction; defined in widgets.h, so only framework/gui
  // and the tests can call it.
  auto Widget() const;

  bool Enabled() const;
  void SetEnabled(bool on);
  bool Visible() const;  // the control's own flag, whether or not its window shows
  void SetVisible(bool on);
  void SetFocus();
  bool HasFocus() const;
  int64_t TabIndex() const { return tabIndex_; }
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool on);
  void SetTabIndex(int64_t i) { tabIndex_ = i; }

 protected:
  // Makes the widget inside the window's content area and holds it in native_->widget.
  virtual void CreateWidget(ContentWidget* parent) = 0;
  // How the widget takes the focus when it is (not) a tab stop.
  virtual FocusPolicy FocusPolicyFor(bool tabStop) const { return tabStop ? FocusPolicy::kStrong : FocusPolicy::kClick; }
  auto& W() const;  // the widget, or a runtime exception before construction (control.cpp)

  // Property descriptors every control class shares, and the font ones of text controls.
  static std::vector<PropertyDescriptor> CommonProperties();
  static std::vector<PropertyDescriptor> FontProperties();

  struct Native;  // the Qt side (widgets.h)
  std::unique_ptr<Native> native_;

 private:
  int64_t tabIndex_ = 0;
  bool tabStop_ = true;
};

// Fills a control class record made under RectControl or a class below it: its own events,
// properties and factory, and the method list from the table.
void FillControlClass(ClassRecord& rec, std::span<const EventRow> ownEvents, std::vector<PropertyDescriptor> props,
                      Factory factory);

}  // namespace zefa
