#include "framework/runtime/observer.h"

namespace zefa {
namespace {
Observer* g_observer = nullptr;
}  // namespace

Observer* InstalledObserver() { return g_observer; }
void InstallObserver(Observer* observer) { g_observer = observer; }

}  // namespace zefa
