#include "platform/StartupTrace.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

// Started as early as code of this program runs.
const QElapsedTimer sinceInitialisation = [] {
    QElapsedTimer timer;
    timer.start();
    return timer;
}();

// Sees the window's paint events. The window's own paint event opens the
// frame in which its children paint and which is then put on the screen; a
// queued call runs after all of that, so the line marks a finished frame.
class FirstPaintWatcher : public QObject {
public:
    FirstPaintWatcher(QWidget* window, bool quit) : QObject(window), m_quit(quit) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, [this] { report(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void report() {
        std::fprintf(stderr, "first paint %.1f ms\n", static_cast<double>(sinceInitialisation.nsecsElapsed()) / 1e6);
        std::fflush(stderr);
        parent()->removeEventFilter(this);
        // Leaves the event loop without asking the windows to close: a close
        // may ask a question, and the launcher waits for the process to end.
        if (m_quit)
            QCoreApplication::exit(0);
    }

    bool m_quit;
    bool m_seen = false;
};

} // namespace

void StartupTrace::watchFirstPaint(QWidget* window) {
    if (!window || !qEnvironmentVariableIsSet("QUAVELET_STARTUP_TRACE"))
        return;
    const bool quit = qgetenv("QUAVELET_STARTUP_TRACE") == "quit";
    window->installEventFilter(new FirstPaintWatcher(window, quit));
}
