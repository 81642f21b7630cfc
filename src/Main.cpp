#include "Main.h"

#include "Header.h"
#include "StartupError.h"
#include "platform/Cursors.h"
#include "platform/HelpEngine.h"
#include "platform/MessageBoxes.h"
#include "platform/RandomSource.h"
#include "platform/SettingsStore.h"
#include "staff/Artwork.h"

#include <QFileInfo>

#include <exception>

TFormQuavelet* FormQuavelet = nullptr;
SettingsStore* Registry = nullptr;
int ActivateMsg = 0;
bool ShowSplash = true;

namespace {
const QString DevHomeValue = QStringLiteral("DevHome");
const QString DirectoryValue = QStringLiteral("Directory");
const QString SplashScreenValue = QStringLiteral("SplashScreen");

// The number under which the web address of the About dialog finds the
// program's hand cursor.
constexpr int HandCursorNumber = 1;

bool DirectoryExists(const QString& path) { return QFileInfo(path).isDir(); }
} // namespace

void LocateInstallDir() {
    InstallDir.clear();
    QString devHome;
    if (Registry) {
        if (const std::optional<SettingsKey> maker = Registry->openMakerKey())
            devHome = maker->readString(DevHomeValue).value_or(QString());
        if (const std::optional<SettingsKey> program = Registry->openProgramKey())
            InstallDir = program->readString(DirectoryValue).value_or(QString());
    }
    if ((InstallDir.isEmpty() || !DirectoryExists(InstallDir)) && !devHome.isEmpty())
        InstallDir = devHome + QStringLiteral("/quavelet");
    // The key is named the way the program has always named it, so that the
    // message means the same to everyone who has seen it before.
    if (InstallDir.isEmpty())
        throw StartupError(QStringLiteral("Unable to locate name of installation folder under registry entry \"") +
                           SettingsStore::ProgramKeyName + u'\\' + DirectoryValue +
                           QStringLiteral("\". Please re-install and try again."));
    if (!DirectoryExists(InstallDir))
        throw StartupError(QStringLiteral("Unable to locate installation folder \"") + InstallDir +
                           QStringLiteral("\". Please re-install and try again."));
    if (!InstallDir.endsWith(u'/'))
        InstallDir += u'/';
}

void LoadSettings() {
    ShowSplash = true;
    if (!Registry)
        return;
    if (const std::optional<SettingsKey> program = Registry->openProgramKey()) {
        if (const std::optional<int> stored = program->readInteger(SplashScreenValue))
            ShowSplash = *stored != 0;
    }
}

void SaveSettings() {
    if (!Registry)
        return;
    if (std::optional<SettingsKey> program = Registry->openProgramKey())
        program->writeInteger(SplashScreenValue, ShowSplash ? 1 : 0);
}

void MainModuleStart() {
    try {
        RandomSource::global().seedFromClock();
        // The program's own hand cursor (its cursor resource 3000).
        Cursors::registerCursor(HandCursorNumber, HandPointCursor());
        delete Registry;
        Registry = new SettingsStore;
        LoadSettings();
        LocateInstallDir();
        HelpEngine::current().setHelpFile(InstallDir + QStringLiteral("quavelet.html"));
    } catch (const StartupError& error) {
        MessageBoxes::current().plain(nullptr, error.message());
        StartupFailed = true;
    } catch (const std::exception& error) {
        MessageBoxes::current().plain(nullptr, QString::fromLocal8Bit(error.what()));
        StartupFailed = true;
    }
}

void MainModuleEnd() {
    SaveSettings();
    delete Registry;
    Registry = nullptr;
    Cursors::clear();
}
