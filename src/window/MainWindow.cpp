#include "Main.h"

#include <QCloseEvent>

TFormQuavelet::TFormQuavelet(QWidget* parent) : QMainWindow(parent) {}
TFormQuavelet::~TFormQuavelet() = default;
void TFormQuavelet::closeEvent(QCloseEvent* event) { QMainWindow::closeEvent(event); }
bool TFormQuavelet::event(QEvent* event) { return QMainWindow::event(event); }
bool TFormQuavelet::eventFilter(QObject* watched, QEvent* event) { return QMainWindow::eventFilter(watched, event); }
