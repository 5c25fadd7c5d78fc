#include "framework/gui/desktop_session.h"

#include <sys/stat.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

namespace zefa {
namespace {

// Qt's choice of platform: QT_QPA_PLATFORM when set, else the X display, except in a Wayland
// session, where Qt tries Wayland first. Only a plain X choice is checked here.
bool StartsOnX() {
  const char* asked = std::getenv("QT_QPA_PLATFORM");
  if (asked && *asked) {
    std::string_view p(asked);
    return (p == "xcb" || p.starts_with("xcb:")) && p.find(';') == std::string_view::npos;
  }
  const char* session = std::getenv("XDG_SESSION_TYPE");
  return !(session && std::string_view(session) == "wayland");
}

// libdbus's own test for the user's bus in the runtime folder: a socket of this user.
bool UserBusExists() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) return false;
  std::string path = std::string(runtime) + "/bus";
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_uid == getuid();
}

}  // namespace

void KeepSessionBusFromStartingHelpers() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if ((address && *address) || UserBusExists()) return;
  // An address of a kind libdbus does not know: every connection attempt fails without a helper.
  setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

std::optional<std::string> UnreachableDisplay() {
  if (!StartsOnX()) return std::nullopt;
  const char* name = std::getenv("DISPLAY");
  if (!name) return "cannot open the X display: DISPLAY is not set";
  if (!*name) return "cannot open the X display: DISPLAY is empty";
  // Opened and closed again: Qt opens its own connection right after.
  xcb_connection_t* c = xcb_connect(name, nullptr);
  bool ok = xcb_connection_has_error(c) == 0;
  xcb_disconnect(c);
  if (ok) return std::nullopt;
  return "cannot open the X display \"" + std::string(name) + "\"";
}

}  // namespace zefa
