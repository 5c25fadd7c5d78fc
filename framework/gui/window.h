#pragma once
// The framework's window: a top-level Qt widget with an optional menu bar above a content area
// of the record's Width x Height, where the controls sit at their layout positions.
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/runtime/class_record.h"

namespace zefa {

// Coordinates and sizes of windows and controls stay within ±kCoordinateLimit; a window's size
// limit of that much is no limit.
inline constexpr int64_t kCoordinateLimit = 32000;

// The window's Qt widgets (window_widget.h, private to framework/gui).
class WindowWidget;
class ContentWidget;

class Window : public Object {
 public:
  // Slots of Window's class table, in its order; subclasses append after kSlotCount.
  enum Slot {
    kAcceptFileDrop, kAcceptMacDataDrop, kAcceptPictureDrop, kAcceptRawDataDrop, kAcceptTextDrop,
    kBitmapForCaching, kClose, kConstructor, kControl, kControls, kDrawInto, kFocusNext, kFocusPrevious,
    kHide, kInvalidate, kInvalidateRect, kMaximize, kMinimize, kOperator_Convert, kRefresh, kRefreshRect,
    kRestore, kSetFocus, kShow, kShowModal, kShowModalWithin, kShowWithin, kTrueWindow, kUpdateNow,
    kWindow, k_AddControl, k_AddMenuHandler, k_ControlByName, k_ControlByNameIndex, k_DependencyList,
    k_Move, kNew, kSlotCount
  };
  // Event numbers of Window's event list; four are spelt apart from the slots of their names.
  enum Event {
    kActivate, kAddMenuHandlers, kCancelClose, kCloseEvent, kConstructContextualMenu, kContentsChanged,
    kContextualMenuAction, kCreateControls, kDeactivate, kDragEnter, kDragExit, kDragOver, kDropObject,
    kEnableMenuItems, kKeyDown, kKeyUp, kLayout, kMaximizeEvent, kMinimizeEvent, kMouseDown, kMouseDrag,
    kMouseEnter, kMouseExit, kMouseMove, kMouseUp, kMouseWheel, kMoved, kOpen, kPaint, kResized,
    kResizing, kRestoreEvent, kScaleFactorChanged, kSetupBindings, kEventCount
  };

  // Which size limit, which title-bar button a record entry sets.
  enum class Limit { kMinWidth, kMinHeight, kMaxWidth, kMaxHeight };
  enum class TitleButton { kClose, kMaximize, kMinimize };

  static const ClassRecord& Class();
  explicit Window(const ClassRecord& cls);
  ~Window() override;

  // Builds the widget, raises the Layout and CreateControls hooks, and becomes the implicit
  // instance of its class; shows itself when its record made it visible.
  void Constructor();
  void Show();
  void Hide();
  void Close();
  Ref<Object> New(const ClassRecord& cls);
  void AddControl(std::string name, Ref<Object> control);
  Ref<Object> ControlByName(std::string_view name) const;
  Ref<Object> ControlByNameIndex(std::string_view name, int64_t index) const;

  WindowWidget* Widget() const { return top_.get(); }  // the top-level widget
  ContentWidget* Content() const { return content_; } // the area the controls sit in
  bool IsVisible() const;
  bool IsClosed() const { return closed_; }  // the user closed it: no longer an implicit instance
  const std::vector<std::pair<std::string, Ref<Object>>>& Controls() const { return controls_; }

  // Releases the controls (and with them the delegates that point back here) and the widget.
  void Teardown();

  // Called by the widgets when the toolkit reports the user's actions.
  bool OnCloseRequested();
  bool OnKeyDown(const std::string& key);
  bool OnMouseDown(int x, int y);

  // Properties of the window record.
  void SetWidth(int64_t w);
  void SetHeight(int64_t h);
  void SetLimit(Limit which, int64_t v);
  void SetType(int64_t type);
  void SetTitle(const std::string& title);
  void SetTitleButton(TitleButton which, bool on);
  void SetResizeable(bool on);
  void SetVisibleProperty(bool on);
  void SetBackgroundColor(uint32_t rgb);
  void SetHasBackgroundColor(bool on);
  void SetMenuBarVisible(bool on) { menuBarVisible_ = on; }
  void SetDefaultLocation(int64_t loc) { location_ = loc; }

 private:
  void RequireWidget() const;
  void ApplyFlags();
  void ApplyGeometry();
  void FitToContent();
  void ApplyTabOrder();
  void InstallMenuBar();
  void Centre();

  std::unique_ptr<WindowWidget> top_;  // no Qt parent: the window owns it
  ContentWidget* content_ = nullptr;     // a child of top_
  std::vector<std::pair<std::string, Ref<Object>>> controls_;  // creation order
  // Shape of the window until it is built; the widget takes it over from then on.
  int64_t type_ = 0, location_ = 0;
  int64_t minW_ = 0, minH_ = 0, maxW_ = kCoordinateLimit, maxH_ = kCoordinateLimit;
  bool closeButton_ = true, maxButton_ = false, minButton_ = false, resizeable_ = false;
  bool menuBarVisible_ = true, showWhenBuilt_ = false, constructing_ = false, closed_ = false;
};

// The open window of that runtime class name (also when hidden) built last, or nil.
Ref<Object> GetImplicitWindow(std::string_view className);
// The finaliser pass releases every window the framework holds.
void ReleaseAllWindows();
int64_t WindowCount();
Ref<Object> WindowAt(int64_t index);

// Typed helpers for callers above the framework; they go through the class table.
Ref<Object> ControlByName(Object* window, std::string_view name);

}  // namespace zefa
