// The program: the start-up sequence from the first line of main() to the
// end of the message loop.
#include "About.h"
#include "Header.h"
#include "Main.h"
#include "platform/SingleInstance.h"

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
    FormQuavelet->show();
    return QApplication::exec();
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Holds the lock until the program ends, after the settings are written.
    std::optional<SingleInstance> instance;
    MainModuleStart();
    // The module's end steps run at every end: after a normal close, after a
    // failed start-up and in a copy that only told the running one.
    const auto moduleEnd = qScopeGuard([] { MainModuleEnd(); });
    return RunProgram(instance);
}
