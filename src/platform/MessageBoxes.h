#pragma once

#include <QString>

class QWidget;

// The standard message boxes the program shows. The real ones are modal
// QMessageBoxes; tests put in a recorder that answers without a modal loop.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Caption "Information", information icon, one button "OK".
    virtual void information(QWidget* parent, const QString& text) = 0;
    // Caption "Confirm", question icon, buttons Yes and No. Returns false
    // exactly when the player answered No.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
    // Caption: the application's title (or "Error" before there is one);
    // no icon, one button "OK".
    virtual void plain(QWidget* parent, const QString& text) = 0;

    // The boxes in use; the real ones unless a test installed others.
    static MessageBoxes& current();
    // Installs other boxes (a test's recorder); nullptr restores the real ones.
    static void install(MessageBoxes* boxes);
};

class QtMessageBoxes : public MessageBoxes {
public:
    void information(QWidget* parent, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text) override;
    void plain(QWidget* parent, const QString& text) override;
};
