#include "framework/runtime/ui_thread.h"

#include <thread>

#include "framework/runtime/exceptions.h"

namespace zefa {
namespace {
// Static initialisation runs on the thread that starts the process.
const std::thread::id g_mainThread = std::this_thread::get_id();
}  // namespace

bool OnMainThread() { return std::this_thread::get_id() == g_mainThread; }

void CheckUIThread() {
  if (!OnMainThread()) Raise<ThreadAccessingUIException>("user-interface access from a thread other than the main thread");
}

}  // namespace zefa
