#pragma once
// The program's entry and its start-up: bring up the runtime, make and register the application
// object with its version data and menu bar, open the splash window, run the event loop.
#include <cstdint>
#include <span>

#include "framework/gui/application.h"

namespace zefa {

// The whole run: runtime set-up, initialisers, start-up driver, finalisers, exit status.
int32_t RunProgram();

// The start-up driver; an exception that reaches it goes to the last-chance handler once.
void Main();
void EarlyStartup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
// Called back by the framework once it is initialised.
void LateStartup();
void MakeDefaultView();

inline constexpr double kFrameworkVersionStamp = 2019.031;

// One initialiser per class record the program builds, the framework's own run before them.
std::span<const Initializer> InitializerTable();

}  // namespace zefa
