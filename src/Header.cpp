#include "Header.h"

QString InstallDir;
bool StartupFailed = false;
