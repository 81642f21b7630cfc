#include "Main.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quavelet"));
    TFormQuavelet window;
    window.show();
    return QApplication::exec();
}
