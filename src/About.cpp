#include "About.h"

TDlgAbout* DlgAbout = nullptr;

TDlgAbout::TDlgAbout(QWidget* parent) : QDialog(parent) {}
