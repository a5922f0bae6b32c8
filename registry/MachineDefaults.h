#pragma once

#include "RegistryStore.h"

#include <QString>

namespace kvx::registry {

// Writes what an installer writes into the machine scope: the installation
// folder, English as the default language, and for every language its
// resource file, help file and the dealer's defaults.
bool WriteMachineDefaults(RegistryStore& store, const QString& installPath);

// Points the process-wide store at two fresh INI files in `folder`, with the
// machine defaults of an installation at `installPath` (test and benchmark
// set-ups, portable runs).
bool UseScratchStore(const QString& folder, const QString& installPath);

}  // namespace kvx::registry
