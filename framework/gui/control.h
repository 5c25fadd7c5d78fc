#pragma once
// Controls: objects that belong to a window and own one Qt widget inside its content area.
#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "framework/runtime/class_record.h"

namespace zefa {

class Window;

class Control : public Object {
 public:
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
  int64_t index_ = -2147483648LL;  // not part of a control array
};

class RectControl : public Control {
 public:
  // RectControl's class table; the four control classes share it.
  enum Slot { kConstructor, kSetFocus, kSlotCount };
  // Event numbers of RectControl (Control's three come first).
  enum Event {
    kClose, kCreatePane, kOpen, kConstructContextualMenu, kContextualMenuAction, kDragEnter, kDragExit,
    kDragOver, kDropObject, kKeyDown, kKeyUp, kMouseEnter, kMouseExit, kMouseMove, kMouseWheel, kEventCount
  };
  static const ClassRecord& Class();
  explicit RectControl(const ClassRecord& cls) : Control(cls) {}
  ~RectControl() override;

  // Makes the widget inside the owner window's content area.
  void Constructor();
  QWidget* Widget() const { return widget_; }

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
  virtual QWidget* CreateWidget(QWidget* parent) = 0;
  // How the widget takes the focus when it is (not) a tab stop.
  virtual Qt::FocusPolicy FocusPolicyFor(bool tabStop) const { return tabStop ? Qt::StrongFocus : Qt::ClickFocus; }
  QWidget& W() const;  // the widget, or a runtime exception before construction

  // Property descriptors every control class shares, and the font ones of text controls.
  static std::vector<PropertyDescriptor> CommonProperties();
  static std::vector<PropertyDescriptor> FontProperties();

 private:
  QPointer<QWidget> widget_;
  int64_t tabIndex_ = 0;
  bool tabStop_ = true;
};

// Fills a control class record: RectControl's table, its own events, properties and factory.
ClassRecord& NewControlClass(const char* name, std::initializer_list<const char*> ownEvents,
                             std::vector<PropertyDescriptor> props, Factory factory);

// Colour values are 0x00RRGGBB; the top byte is alpha, 0 meaning opaque.
QColor ColorFromValue(uint32_t v);

}  // namespace zefa
