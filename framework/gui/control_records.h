#pragma once
// Recipes for the Layout records of the four control kinds: each record is the 14 entries every
// control starts with, the kind's own entries in its fixed order, and an empty InitialParent.
#include <cstdint>
#include <string>
#include <string_view>

namespace zefa {

inline constexpr int64_t kNoControlArray = -2147483648LL;

struct Placement {
  std::string_view name;
  int64_t left, top, width, height;
  bool lockLeft, lockTop, lockRight, lockBottom;
  int64_t tabIndex;
  bool tabStop;
};

std::string CanvasRecord(const Placement& p, bool allowFocusRing, bool visible, bool doubleBufferEntry);
std::string TextAreaRecord(const Placement& p, bool allowFocusRing, std::string_view value, int64_t maxChars,
                           std::string_view mask, bool readOnly);
std::string PushButtonRecord(const Placement& p, std::string_view caption);

struct LabelLook {
  int64_t alignment = 0;
  uint32_t textColor = 0x800000;
  bool bold = true;
  float fontSize = 0.0f;
};
std::string LabelRecord(const Placement& p, std::string_view value, const LabelLook& look);

// A window record: what differs between the program's windows; the rest they share.
struct WindowShape {
  int64_t width, height, maxWidth, maxHeight;
  int64_t type;
  std::string_view title;
  bool zoomButtons;  // maximize and minimize
  bool resizeable;
  bool liveResizeEntry;
};
std::string WindowRecord(const WindowShape& w);

}  // namespace zefa
