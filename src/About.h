#pragma once

#include <QDialog>

// The About dialog, created hidden at start-up and shown modally.
class TDlgAbout : public QDialog {
    Q_OBJECT
public:
    explicit TDlgAbout(QWidget* parent = nullptr);
};

extern TDlgAbout* DlgAbout;
