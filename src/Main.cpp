#include "Main.h"

TFormQuavelet* FormQuavelet = nullptr;
SettingsStore* Registry = nullptr;
int ActivateMsg = 0;
bool ShowSplash = true;
