#include "framework/gui/bus_probe.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

namespace zefa {
namespace {

using Clock = std::chrono::steady_clock;

class Socket {
 public:
  Socket() = default;
  explicit Socket(int fd) : fd_(fd) {}
  Socket(Socket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Socket& operator=(Socket&&) = delete;
  ~Socket() {
    if (fd_ >= 0) close(fd_);
  }
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
};

// The %XX escapes of a bus address undone; a malformed escape is kept as it stands.
std::string Unescape(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    unsigned char byte = 0;
    if (s[i] == '%' && i + 2 < s.size() &&
        std::from_chars(s.data() + i + 1, s.data() + i + 3, byte, 16).ptr == s.data() + i + 3) {
      out.push_back(static_cast<char>(byte));
      i += 2;
    } else {
      out.push_back(s[i]);
    }
  }
  return out;
}

// The value of KEY in "kind:key=value,key=value"'s parameters, unescaped; nothing when absent.
std::optional<std::string> Parameter(std::string_view params, std::string_view key) {
  while (!params.empty()) {
    size_t comma = params.find(',');
    std::string_view pair = params.substr(0, comma);
    if (pair.size() > key.size() && pair.starts_with(key) && pair[key.size()] == '=')
      return Unescape(pair.substr(key.size() + 1));
    if (comma == std::string_view::npos) break;
    params.remove_prefix(comma + 1);
  }
  return std::nullopt;
}

// A connected socket, or the answer to give when there is none.
struct Reached {
  Socket socket;
  BusAnswer otherwise = BusAnswer::kUnreached;
};

// The address's entries in order, as the bus library tries them: the first Unix socket that takes
// the connection is the bus. An entry of another kind ends the search: the library decides there.
Reached ConnectFirst(std::string_view address) {
  while (!address.empty()) {
    size_t semicolon = address.find(';');
    std::string_view entry = address.substr(0, semicolon);
    address.remove_prefix(semicolon == std::string_view::npos ? address.size() : semicolon + 1);
    if (entry.empty()) continue;
    if (!entry.starts_with("unix:")) return {};
    entry.remove_prefix(5);
    std::optional<std::string> path = Parameter(entry, "path");
    std::optional<std::string> abstract = Parameter(entry, "abstract");
    if (!path && !abstract) return {};  // a listening address (dir=, tmpdir=): the library refuses it
    const std::string& name = path ? *path : *abstract;
    sockaddr_un sa{};
    sa.sun_family = AF_UNIX;
    size_t offset = abstract && !path ? 1 : 0;  // an abstract name starts with a zero byte
    if (name.empty() || offset + name.size() > sizeof sa.sun_path - 1) continue;
    std::memcpy(sa.sun_path + offset, name.data(), name.size());
    auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + name.size() + (offset ? 0 : 1));
    Socket s(socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (s.fd() < 0) return {};
    if (connect(s.fd(), reinterpret_cast<const sockaddr*>(&sa), length) == 0) return {std::move(s)};
    // A socket whose queue is full takes no connection: the library would wait on it.
    if (errno == EAGAIN) return {Socket(), BusAnswer::kSilent};
  }
  return {};
}

enum class Io { kDone, kClosed, kTimedOut };

Io Wait(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return Io::kTimedOut;
    pollfd p{fd, events, 0};
    int n = poll(&p, 1, static_cast<int>(left));
    if (n > 0) return (p.revents & events) ? Io::kDone : Io::kClosed;
    if (n < 0 && errno != EINTR) return Io::kClosed;
  }
}

Io SendAll(int fd, std::string_view data, Clock::time_point deadline) {
  while (!data.empty()) {
    ssize_t n = send(fd, data.data(), data.size(), MSG_NOSIGNAL);
    if (n > 0) {
      data.remove_prefix(static_cast<size_t>(n));
    } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      if (Io w = Wait(fd, POLLOUT, deadline); w != Io::kDone) return w;
    } else {
      return Io::kClosed;
    }
  }
  return Io::kDone;
}

// Appends what the peer sends next, once it sends anything.
Io ReadMore(int fd, std::string& in, Clock::time_point deadline) {
  for (;;) {
    char buffer[4096];
    ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n > 0) {
      in.append(buffer, static_cast<size_t>(n));
      return Io::kDone;
    }
    if (n == 0 || (errno != EAGAIN && errno != EINTR)) return Io::kClosed;
    if (Io w = Wait(fd, POLLIN, deadline); w != Io::kDone) return w;
  }
}

// The handshake's opening: a zero byte, then the wish to be known by the socket's credentials,
// which carries the user id in hexadecimal digits of its decimal text.
std::string AuthOpening() {
  std::string uid = std::to_string(getuid()), hex;
  for (unsigned char c : uid) {
    static constexpr char kDigits[] = "0123456789abcdef";
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  return std::string(1, '\0') + "AUTH EXTERNAL " + hex + "\r\n";
}

// --- messages, in the bus's wire form (little-endian) ---------------------------------------------

void Pad(std::string& m, size_t alignment) {
  while (m.size() % alignment) m.push_back('\0');
}
void PutU32(std::string& m, uint32_t v) {
  for (int i = 0; i < 4; ++i) m.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}
void PutField(std::string& m, uint8_t code, char type, std::string_view text) {
  Pad(m, 8);
  m += {static_cast<char>(code), 1, type, '\0'};
  Pad(m, 4);
  PutU32(m, static_cast<uint32_t>(text.size()));
  m.append(text);
  m.push_back('\0');
}

constexpr uint8_t kNoAutoStart = 2;

// A method call without arguments.
std::string MethodCall(uint32_t serial, uint8_t flags, std::string_view path, std::string_view interface,
                       std::string_view member, std::string_view destination) {
  std::string m = {'l', 1, static_cast<char>(flags), 1};
  PutU32(m, 0);  // no body
  PutU32(m, serial);
  PutU32(m, 0);  // the header fields' length, set below
  PutField(m, 1, 'o', path);
  PutField(m, 2, 's', interface);
  PutField(m, 3, 's', member);
  PutField(m, 6, 's', destination);
  auto fields = static_cast<uint32_t>(m.size() - 16);
  for (int i = 0; i < 4; ++i) m[12 + i] = static_cast<char>((fields >> (8 * i)) & 0xff);
  Pad(m, 8);
  return m;
}

constexpr uint32_t kMaxMessage = 1 << 20;  // far above anything asked for here

struct Message {
  uint8_t type = 0;  // 2 a method's return, 3 an error
  uint32_t replySerial = 0;
  std::string text;  // the body's first value, when it is a string
};

uint32_t U32(std::string_view b, size_t at, bool big) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    auto byte = static_cast<uint8_t>(b[at + (big ? i : 3 - i)]);
    v = (v << 8) | byte;
  }
  return v;
}
size_t Align(size_t at, size_t alignment) { return (at + alignment - 1) / alignment * alignment; }

enum class Take { kMessage, kIncomplete, kMalformed };

// Takes the first whole message off the front of `in`.
Take TakeMessage(std::string& in, Message& out) {
  if (in.size() < 16) return Take::kIncomplete;
  bool big = in[0] == 'B';
  std::string_view b = in;
  uint32_t bodyLength = U32(b, 4, big), fieldsLength = U32(b, 12, big);
  if (bodyLength > kMaxMessage || fieldsLength > kMaxMessage) return Take::kMalformed;
  size_t end = 16 + fieldsLength, bodyAt = Align(end, 8), size = bodyAt + bodyLength;
  if (in.size() < size) return Take::kIncomplete;
  out = Message{static_cast<uint8_t>(b[1]), 0, {}};
  std::string_view signature;
  for (size_t at = 16; Align(at, 8) + 3 <= end;) {
    at = Align(at, 8);
    auto code = static_cast<uint8_t>(b[at]);
    size_t typeLength = static_cast<uint8_t>(b[at + 1]);
    if (at + 3 + typeLength > end) return Take::kMalformed;
    std::string_view type = b.substr(at + 2, typeLength);
    at += 3 + typeLength;
    if (type == "u") {
      at = Align(at, 4);
      if (at + 4 > end) return Take::kMalformed;
      if (code == 5) out.replySerial = U32(b, at, big);
      at += 4;
    } else if (type == "s" || type == "o") {
      at = Align(at, 4);
      if (at + 4 > end || U32(b, at, big) > end - at - 4) return Take::kMalformed;
      at += 4 + U32(b, at, big) + 1;
    } else if (type == "g") {
      if (at >= end) return Take::kMalformed;
      size_t length = static_cast<uint8_t>(b[at]);
      if (code == 8) signature = b.substr(at + 1, std::min(length, end - at - 1));
      at += 1 + length + 1;
    } else {
      return Take::kMalformed;  // the bus puts no other kinds in a header
    }
  }
  if (signature.starts_with("s") && bodyLength >= 4) {
    uint32_t length = U32(b, bodyAt, big);
    if (length <= bodyLength - 4) out.text = std::string(b.substr(bodyAt + 4, length));
  }
  in.erase(0, size);
  return Take::kMessage;
}

}  // namespace

BusAnswer ProbeBus(std::string_view address, std::chrono::milliseconds bound) {
  Clock::time_point deadline = Clock::now() + bound;
  Reached bus = ConnectFirst(address);
  if (bus.socket.fd() < 0) return bus.otherwise;
  Io sent = SendAll(bus.socket.fd(), AuthOpening(), deadline);
  if (sent != Io::kDone) return sent == Io::kTimedOut ? BusAnswer::kSilent : BusAnswer::kAnswers;
  std::string in;
  // Any answer, a refusal or a closed connection too, ends the library's wait as well.
  return ReadMore(bus.socket.fd(), in, deadline) == Io::kTimedOut ? BusAnswer::kSilent : BusAnswer::kAnswers;
}

AccessibilityBusLookup LookUpAccessibilityBus(std::string_view sessionAddress, std::chrono::milliseconds bound) {
  Clock::time_point deadline = Clock::now() + bound;
  AccessibilityBusLookup result;
  Reached bus = ConnectFirst(sessionAddress);
  result.sessionBus = bus.otherwise;
  int fd = bus.socket.fd();
  if (fd < 0) return result;

  std::string in;
  Io io = SendAll(fd, AuthOpening(), deadline);
  while (io == Io::kDone && in.find("\r\n") == std::string::npos) io = ReadMore(fd, in, deadline);
  result.sessionBus = io == Io::kTimedOut ? BusAnswer::kSilent : BusAnswer::kAnswers;
  // Refused or closed: the library fails at once too, and there is no one to ask.
  if (io != Io::kDone || !in.starts_with("OK ")) return result;
  in.erase(0, in.find("\r\n") + 2);

  // The bus takes its greeting first; then the question, to a service that must already run.
  std::string ask = "BEGIN\r\n" + MethodCall(1, 0, "/org/freedesktop/DBus", "org.freedesktop.DBus", "Hello",
                                             "org.freedesktop.DBus") +
                    MethodCall(2, kNoAutoStart, "/org/a11y/bus", "org.a11y.Bus", "GetAddress", "org.a11y.Bus");
  io = SendAll(fd, ask, deadline);
  bool greeted = false;
  while (io == Io::kDone) {
    Message m;
    Take take;
    while ((take = TakeMessage(in, m)) == Take::kMessage) {
      if (m.type != 2 && m.type != 3) continue;  // signals: the name the bus gave
      if (m.replySerial == 1) greeted = true;
      if (m.replySerial == 2) {
        if (m.type == 2) result.address = m.text;
        return result;
      }
    }
    if (take == Take::kMalformed) return result;
    io = ReadMore(fd, in, deadline);
  }
  if (io == Io::kTimedOut) {
    if (greeted)
      result.serviceSilent = true;
    else
      result.sessionBus = BusAnswer::kSilent;
  }
  return result;
}

}  // namespace zefa
