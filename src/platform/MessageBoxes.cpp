#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace {
MessageBoxes* installed = nullptr;

QString applicationTitle() {
    const QString title = QApplication::applicationDisplayName();
    return title.isEmpty() ? QApplication::applicationName() : title;
}
} // namespace

MessageBoxes& MessageBoxes::current() {
    static QtMessageBoxes real;
    return installed ? *installed : real;
}

void MessageBoxes::install(MessageBoxes* boxes) { installed = boxes; }

void QtMessageBoxes::information(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtMessageBoxes::confirm(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() != QMessageBox::No;
}

void QtMessageBoxes::plain(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}
