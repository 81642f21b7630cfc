#pragma once

#include <QString>

// The installation folder, ending in a separator once located; empty before.
extern QString InstallDir;
// Set when any start-up step failed; the program then shows no window.
extern bool StartupFailed;
