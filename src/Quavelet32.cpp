// The program: the start-up sequence from the first line of main() to the
// end of the message loop.
#include "About.h"
#include "Header.h"
#include "Main.h"
#include "platform/SingleInstance.h"
#include "platform/StartupTrace.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QEvent>
#include <QScopeGuard>

#include <optional>

namespace {
const QString ProgramTitle = QStringLiteral("Quavelet");
// The lock that decides which copy runs, and the message that asks the
// running copy to come forward.
const QString InstanceLockName = QStringLiteral("QV32");
const QString ActivationMessage = QStringLiteral("Check for Quavelet instance");

constexpr int ExitOk = 0;
constexpr int ExitStartupFailed = 1;

int RunProgram(std::optional<SingleInstance>& instance) {
    if (StartupFailed)
        return ExitStartupFailed;

    ActivateMsg = QEvent::registerEventType();
    instance.emplace(InstanceLockName, ActivationMessage, ActivateMsg);
    if (!instance->claim()) {
        instance->notifyRunningCopy();
        // The running copy may have ended while this one was asking; then
        // this one has become the copy that runs.
        if (!instance->claimed())
            return ExitOk;
    }

    // The application's title. Only the name is set: the display name, when
    // set, is appended by Qt to every window title on X11 that does not end
    // in it ("Quavelet: About — Quavelet"); unset, it reads as the name.
    QApplication::setApplicationName(ProgramTitle);
    // Being the first window created, the main window is the program's main
    // window; its constructor runs FormCreate.
    FormQuavelet = new TFormQuavelet;
    DlgAbout = new TDlgAbout(FormQuavelet);
    const auto destroyWindows = qScopeGuard([] {
        delete FormQuavelet; // and with it DlgAbout, its child
        FormQuavelet = nullptr;
        DlgAbout = nullptr;
    });
    if (StartupFailed)
        return ExitStartupFailed;
    // Off unless QUAVELET_STARTUP_TRACE is set (the start-up benchmark).
    StartupTrace::watchFirstPaint(FormQuavelet);
    FormQuavelet->show();
    // exec() starts afresh and would forget a termination that was asked
    // for before it ran.
    if (TerminationSignals::received() != 0)
        return ExitOk;
    return QApplication::exec();
}
} // namespace

int main(int argc, char* argv[]) {
    int status = ExitOk;
    {
        QApplication application(argc, argv);
        // A logout, `kill` or Ctrl+C ends the program through its end steps
        // as well, so the preference is written. The player did not ask to
        // close the window, so a running quiz is not questioned: every event
        // loop, nested ones (a box, the About dialog) included, just ends.
        TerminationSignals termination;
        QObject::connect(&termination, &TerminationSignals::terminationRequested, &application,
                         [] { QCoreApplication::exit(ExitOk); });
        // Holds the lock until the program ends, after the settings are written.
        std::optional<SingleInstance> instance;
        MainModuleStart();
        // The module's end steps run at every end: after a normal close, after a
        // failed start-up, in a copy that only told the running one and after
        // a termination signal.
        const auto moduleEnd = qScopeGuard([] { MainModuleEnd(); });
        status = RunProgram(instance);
    }
    // Whoever sent the signal learns that it ended the program.
    TerminationSignals::endByReceivedSignal();
    return status;
}
