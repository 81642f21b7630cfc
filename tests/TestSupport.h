#pragma once

#include "platform/HelpEngine.h"
#include "platform/MessageBoxes.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

// Message boxes that answer at once and remember what they were asked.
class RecordingMessageBoxes : public MessageBoxes {
public:
    RecordingMessageBoxes() { MessageBoxes::install(this); }
    ~RecordingMessageBoxes() override { MessageBoxes::install(nullptr); }

    void information(QWidget*, const QString& text) override;
    bool confirm(QWidget*, const QString& text) override;
    void plain(QWidget*, const QString& text) override;

    QStringList informations, confirmations, plains;
    bool answerYes = true;
    // Runs inside an information box, as a nested event loop would.
    std::function<void()> whileInformationOpen;
    // Runs inside a confirmation box before it answers: the countdown keeps
    // ticking while the close question is open.
    std::function<void()> whileConfirmOpen;
};

// A help engine that remembers every call the window makes into it.
class RecordingHelp : public HelpEngine {
public:
    RecordingHelp() { HelpEngine::install(this); }
    ~RecordingHelp() override { HelpEngine::install(nullptr); }
    void setHelpFile(const QString& path) override { file = path; }
    QString helpFile() const override { return file; }
    void call(HelpCommand command, int data) override { calls.append({command, data}); }
    QString file;
    QList<QPair<HelpCommand, int>> calls;
};

// "r,g,b" of a colour, so that a failing comparison names both colours.
QString rgb(const QColor& colour);
QString rgbAt(const QImage& image, int x, int y);
