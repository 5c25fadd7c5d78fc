#include "framework/gui/control_records.h"

#include "framework/runtime/layout_record.h"

namespace zefa {
namespace {

LayoutWriter Begin(std::string_view name, const Placement& p) {
  LayoutWriter w;
  w.String("Name", name)
      .Integer("Index", kNoControlArray)
      .Integer("Left", p.left)
      .Integer("Top", p.top)
      .Integer("Width", p.width)
      .Integer("Height", p.height)
      .Boolean("LockLeft", p.lockLeft)
      .Boolean("LockTop", p.lockTop)
      .Boolean("LockRight", p.lockRight)
      .Boolean("LockBottom", p.lockBottom)
      .Integer("TabIndex", p.tabIndex)
      .Integer("TabPanelIndex", 0)
      .Boolean("TabStop", p.tabStop)
      .Boolean("AllowAutoDeactivate", true);
  return w;
}

std::string End(LayoutWriter& w) { return w.String("InitialParent", "").Bytes(); }

}  // namespace

std::string CanvasRecord(std::string_view name, const Placement& p, const CanvasLook& look) {
  LayoutWriter w = Begin(name, p);
  w.Boolean("Enabled", true)
      .String("Tooltip", "")
      .Boolean("AllowFocusRing", look.allowFocusRing)
      .Boolean("Visible", look.visible)
      .Boolean("AllowFocus", false)
      .Boolean("AllowTabs", false)
      .Boolean("Transparent", true);
  if (look.doubleBufferEntry) w.Boolean("DoubleBuffer", false);
  // Once more: the stored records carry it twice, once from the control and once from its class.
  w.Boolean("Transparent", true);
  return End(w);
}

std::string TextAreaRecord(std::string_view name, const Placement& p, const TextAreaSetup& setup) {
  LayoutWriter w = Begin(name, p);
  w.Color("BackgroundColor", 0xFFFFFF)
      .Boolean("HasBorder", true)
      .Boolean("Enabled", true)
      .String("Format", "")
      .String("Tooltip", "")
      .Boolean("HideSelection", true)
      .Double("LineHeight", 17.0)
      .Double("LineSpacing", 1.0)
      .Boolean("Multiline", true)
      .Boolean("HasHorizontalScrollbar", false)
      .Boolean("HasVerticalScrollbar", false)
      .Boolean("AllowStyledText", false)
      .Color("TextColor", 0x000000)
      .Boolean("Transparent", true)
      .Boolean("AllowFocusRing", setup.allowFocusRing)
      .Boolean("Visible", true)
      .Boolean("Bold", false)
      .Boolean("Italic", false)
      .String("FontName", "System")
      .Single("FontSize", 12.0f)
      .Byte("FontUnit", 0)
      .Boolean("Underline", false)
      .String("Value", setup.value)
      .Boolean("AllowTabs", false)
      .Enum("TextAlignment", 2)
      .Boolean("AllowSpellChecking", true)
      .Integer("MaximumCharactersAllowed", setup.maxChars)
      .String("ValidationMask", setup.mask)
      .Boolean("ReadOnly", setup.readOnly)
      .String("DataSource", "")
      .String("DataField", "");
  return End(w);
}

std::string PushButtonRecord(std::string_view name, const Placement& p, std::string_view caption) {
  LayoutWriter w = Begin(name, p);
  w.Enum("MacButtonStyle", 0)
      .Boolean("Cancel", false)
      .String("Caption", caption)
      .Boolean("Default", false)
      .Boolean("Enabled", true)
      .String("Tooltip", "")
      .Boolean("Transparent", true)
      .Boolean("Visible", true)
      .String("FontName", "System")
      .Single("FontSize", 12.0f)
      .Byte("FontUnit", 0)
      .Boolean("Bold", false)
      .Boolean("Italic", false)
      .Boolean("Underline", false);
  return End(w);
}

std::string LabelRecord(std::string_view name, const Placement& p, std::string_view value, const LabelLook& look) {
  LayoutWriter w = Begin(name, p);
  w.Boolean("Enabled", true)
      .String("Tooltip", "")
      .Boolean("Multiline", false)
      .Boolean("Selectable", false)
      .Enum("TextAlignment", look.alignment)
      .Color("TextColor", look.textColor)
      .Boolean("Transparent", false)
      .String("Value", value)
      .Boolean("Visible", true)
      .Boolean("Bold", look.bold)
      .Boolean("Italic", false)
      .String("FontName", "System")
      .Boolean("Underline", false)
      .Single("FontSize", look.fontSize)
      .Byte("FontUnit", 0)
      .String("DataSource", "")
      .String("DataField", "");
  return End(w);
}

std::string WindowRecord(const WindowShape& s) {
  LayoutWriter w;
  w.Integer("Width", s.width)
      .Integer("Height", s.height)
      .Integer("MinimumWidth", 64)
      .Integer("MinimumHeight", 64)
      .Integer("MaximumWidth", s.maxWidth)
      .Integer("MaximumHeight", s.maxHeight)
      .Enum("Type", s.type)
      .String("Title", s.title)
      .Boolean("HasCloseButton", true)
      .Boolean("HasMaximizeButton", s.zoomButtons)
      .Boolean("HasMinimizeButton", s.zoomButtons)
      .Boolean("HasFullScreenButton", false)
      .Boolean("Resizeable", s.resizeable)
      .Boolean("Composite", false)
      .Integer("MacProcID", 0)
      .Boolean("FullScreen", false)
      .Enum("DefaultLocation", 0)
      .Boolean("Visible", true)
      .Boolean("HasBackgroundColor", true)
      .Color("BackgroundColor", 0xFFFFFF)
      .Boolean("MenuBarVisible", true);
  if (s.liveResizeEntry) w.Boolean("LiveResize", true);
  return w.Bytes();
}

}  // namespace zefa
