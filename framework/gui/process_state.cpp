#include "framework/gui/private/process_state.h"

#include <utility>

namespace zefa {

ProcessState& Process() {
  static ProcessState& p = *new ProcessState;
  return p;
}

void ResetProcessState() {
  ReleaseAllWindows();
  ProcessState& p = Process();
  ProcessState old(std::move(p));  // goes at the end of this call, Qt's objects last
  p = ProcessState{};
  p.forgets = old.forgets;
  for (const auto& forget : p.forgets) forget();
}

void RegisterProcessReset(std::function<void()> forget) { Process().forgets.push_back(std::move(forget)); }

}  // namespace zefa
