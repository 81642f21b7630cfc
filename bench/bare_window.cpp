// The reference for the start-up figures: a plain Qt Widgets main window of
// the program's shape, built from stock widgets and nothing else. A menu bar
// with three menus, a tool bar of ten actions, a status bar and a 256 x 323
// painted area. It reports its first painted frame through the same start-up
// trace as the program, so both are timed by the same rule.
#include "platform/StartupTrace.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QIcon>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStatusBar>
#include <QToolBar>
#include <QWidget>

namespace {

// A staff-like picture: background and a few lines.
class PaintedArea : public QWidget {
public:
    explicit PaintedArea(QWidget* parent = nullptr) : QWidget(parent) { setFixedSize(256, 323); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        painter.setPen(Qt::black);
        for (int i = 0; i < 5; ++i) {
            painter.drawLine(8, 59 + 10 * i, 208, 59 + 10 * i);
            painter.drawLine(8, 134 + 10 * i, 208, 134 + 10 * i);
        }
    }
};

// A 16 x 16 picture of one colour, as a tool button's image.
QIcon PlainIcon(int n) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(QColor::fromHsv((n * 36) % 360, 160, 200));
    return QIcon(QPixmap::fromImage(image));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bare window"));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    QMenu* menus[] = {window.menuBar()->addMenu(QStringLiteral("&Game")),
                      window.menuBar()->addMenu(QStringLiteral("&Options")),
                      window.menuBar()->addMenu(QStringLiteral("&Help"))};
    QToolBar* tools = window.addToolBar(QStringLiteral("Commands"));
    tools->setMovable(false);
    tools->setIconSize(QSize(16, 16));
    for (int n = 0; n < 10; ++n) {
        auto* action = new QAction(PlainIcon(n), QStringLiteral("Command %1").arg(n + 1), &window);
        action->setCheckable(true);
        action->setStatusTip(QStringLiteral("Command number %1").arg(n + 1));
        tools->addAction(action);
        menus[n % 3]->addAction(action);
    }
    window.setCentralWidget(new PaintedArea);
    window.statusBar()->showMessage(QStringLiteral("Ready"));

    StartupTrace::watchFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
