#include "TestSupport.h"

void RecordingMessageBoxes::information(QWidget*, const QString& text) {
    informations << text;
    if (whileInformationOpen)
        whileInformationOpen();
}

bool RecordingMessageBoxes::confirm(QWidget*, const QString& text) {
    confirmations << text;
    if (whileConfirmOpen)
        whileConfirmOpen();
    return answerYes;
}

void RecordingMessageBoxes::plain(QWidget*, const QString& text) { plains << text; }

QString rgb(const QColor& colour) {
    return QStringLiteral("%1,%2,%3").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

QString rgbAt(const QImage& image, int x, int y) { return rgb(QColor(image.pixel(x, y))); }
