#pragma once

#include "KVXZOTApp.h"

#include <memory>

// The headless start-up shared by the commands that need the installation:
// messages go to stderr, then the application object starts without windows.
// Returns null when the start-up failed (its message has been printed).
std::unique_ptr<CKVXZOTApp> StartHeadless();

// Routes user messages to stderr; questions are answered `defaultAnswer`.
void InstallCliMessageHandler(int defaultAnswer);
