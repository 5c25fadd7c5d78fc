#pragma once

namespace zefa {
// Windows, controls, menus and message boxes may only be touched from the main thread.
void CheckUIThread();
bool OnMainThread();
}  // namespace zefa
