#include "framework/gui/desktop_session.h"

#include <sys/stat.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "framework/gui/bus_probe.h"

namespace zefa {
namespace {

// A healthy bus answers in well under a millisecond; a loaded machine still answers well within.
constexpr std::chrono::milliseconds kAnswerBound{250};

// Whether Qt will start on X: QT_QPA_PLATFORM when set, else X, which the program asks for.
bool StartsOnX() {
  const char* asked = std::getenv("QT_QPA_PLATFORM");
  if (asked && *asked) {
    std::string_view p(asked);
    return (p == "xcb" || p.starts_with("xcb:")) && p.find(';') == std::string_view::npos;
  }
  return true;
}

std::string Getenv(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

// A path written into a bus address: bytes other than the plain ones as %XX.
std::string EscapedForAddress(std::string_view path) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : path) {
    if (std::isalnum(c) || std::string_view("-_/.\\*").find(static_cast<char>(c)) != std::string_view::npos) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kDigits[c >> 4];
      out += kDigits[c & 15];
    }
  }
  return out;
}

// The session bus libdbus connects to: the variable's address, else the user's bus in the runtime
// folder (a socket of this user); empty when there is neither.
std::string SessionBusAddress() {
  std::string address = Getenv("DBUS_SESSION_BUS_ADDRESS");
  if (!address.empty()) return address;
  std::string runtime = Getenv("XDG_RUNTIME_DIR");
  if (runtime.empty()) return "";
  std::string path = runtime + "/bus";
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode) || st.st_uid != getuid()) return "";
  return "unix:path=" + EscapedForAddress(path);
}

using XConnection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

// The accessibility bus address the desktop may publish on the X root window.
std::string RootWindowAccessibilityBus() {
  int screen = 0;
  XConnection c(xcb_connect(nullptr, &screen), xcb_disconnect);
  if (xcb_connection_has_error(c.get())) return "";
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(c.get(), xcb_intern_atom(c.get(), 1, 10, "AT_SPI_BUS"), nullptr);
  xcb_atom_t name = atom ? atom->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(atom);
  if (name == XCB_ATOM_NONE) return "";
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c.get()));
  for (int i = 0; i < screen && it.rem; ++i) xcb_screen_next(&it);
  if (!it.rem) return "";
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      c.get(), xcb_get_property(c.get(), 0, it.data->root, name, XCB_ATOM_STRING, 0, 1024), nullptr);
  std::string address;
  if (reply && reply->format == 8)
    address.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                   static_cast<size_t>(xcb_get_property_value_length(reply)));
  std::free(reply);
  return address;
}

void LeaveOut(const char* variable, const std::string& what) {
  std::fprintf(stderr, "zefa: %s does not answer; running without it\n", what.c_str());
  // An address of a kind libdbus does not know: every connection attempt fails at once.
  setenv(variable, "disabled:", 1);
}

}  // namespace

void LeaveOutSilentDesktopServices() {
  unsetenv("SESSION_MANAGER");

  // The accessibility bridge takes its bus from AT_SPI_BUS_ADDRESS; only without it does it ask
  // the session bus's accessibility service, and read the X root window.
  std::string accessibility = Getenv("AT_SPI_BUS_ADDRESS");
  std::string session = SessionBusAddress();
  AccessibilityBusLookup lookup;
  if (!session.empty()) {
    if (accessibility.empty())
      lookup = LookUpAccessibilityBus(session, kAnswerBound);
    else
      lookup.sessionBus = ProbeBus(session, kAnswerBound);
  }
  if (session.empty())
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);  // no helper started to look for one
  else if (lookup.sessionBus == BusAnswer::kSilent)
    LeaveOut("DBUS_SESSION_BUS_ADDRESS", "the session bus at " + session);
  bool sessionUsable = !session.empty() && lookup.sessionBus != BusAnswer::kSilent;

  if (!accessibility.empty()) {
    if (ProbeBus(accessibility, kAnswerBound) == BusAnswer::kSilent)
      LeaveOut("AT_SPI_BUS_ADDRESS", "the accessibility bus at " + accessibility);
    return;
  }
  // Without a session bus the bridge looks no further.
  if (!sessionUsable) return;
  if (lookup.serviceSilent) {
    LeaveOut("AT_SPI_BUS_ADDRESS", "the accessibility bus service on the session bus");
    return;
  }
  std::string root = StartsOnX() ? RootWindowAccessibilityBus() : "";
  for (const std::string& address : {lookup.address, root == lookup.address ? std::string() : root}) {
    if (!address.empty() && ProbeBus(address, kAnswerBound) == BusAnswer::kSilent) {
      LeaveOut("AT_SPI_BUS_ADDRESS", "the accessibility bus at " + address);
      return;
    }
  }
}

std::optional<std::string> UnusableDisplay() {
  if (!StartsOnX()) return std::nullopt;
  // Named, so that in a Wayland session Qt does not look for a Wayland platform first.
  if (Getenv("QT_QPA_PLATFORM").empty()) setenv("QT_QPA_PLATFORM", "xcb", 1);
  const char* name = std::getenv("DISPLAY");
  bool wayland = Getenv("XDG_SESSION_TYPE") == "wayland";
  if (!name || !*name) {
    std::string why = std::string("cannot open the X display: DISPLAY is ") + (name ? "empty" : "not set");
    return wayland ? why + " (on Wayland the program runs through the desktop's X server)" : why;
  }
  // Opened and closed again: Qt opens its own connection right after.
  int screen = 0;
  XConnection c(xcb_connect(name, &screen), xcb_disconnect);
  xcb_screen_iterator_t it{};
  if (!xcb_connection_has_error(c.get())) {
    it = xcb_setup_roots_iterator(xcb_get_setup(c.get()));
    for (int i = 0; i < screen && it.rem; ++i) xcb_screen_next(&it);
  }
  if (!it.rem) return "cannot open the X display \"" + std::string(name) + "\"";
  // Fewer colours than this and Qt draws wrongly, then crashes.
  if (it.data->root_depth < 15)
    return "cannot use the X display \"" + std::string(name) + "\": its screen has " +
           std::to_string(it.data->root_depth) + "-bit colour, at least 15 bits are needed";
  return std::nullopt;
}

}  // namespace zefa
