#pragma once
// Asks a message bus, over its Unix socket and within a bound, whether it answers; the toolkit's
// own bus library would wait for it without one.
#include <chrono>
#include <string>
#include <string_view>

namespace zefa {

enum class BusAnswer {
  kAnswers,
  kSilent,     // a socket took the connection but gave no answer within the bound
  kUnreached,  // nothing to wait for: no socket the address lists took a connection, or it names
               // a kind of connection that is not tried here (the bus library fails or decides)
};

// Connects to the first Unix socket (path= or abstract=) of the address that takes a connection,
// as the bus library does, and waits up to `bound` for the answer to the opening of the
// authentication handshake.
BusAnswer ProbeBus(std::string_view address, std::chrono::milliseconds bound);

// What a session bus says when asked, as the toolkit's accessibility bridge asks it, for the
// address of the accessibility bus.
struct AccessibilityBusLookup {
  BusAnswer sessionBus = BusAnswer::kUnreached;
  bool serviceSilent = false;  // the service holding the name did not answer within the bound
  std::string address;         // empty when no one holds the name, or it did not answer
};
// The service is not started by the asking: the bridge asks only a service that runs.
AccessibilityBusLookup LookUpAccessibilityBus(std::string_view sessionAddress, std::chrono::milliseconds bound);

}  // namespace zefa
