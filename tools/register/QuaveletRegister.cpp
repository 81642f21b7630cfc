// quavelet-register: records the installation folder of the program in the
// user's settings ("Directory" under the program's key), as an installer
// does. The program itself only reads it. Every other value of the key is
// kept; a settings file that cannot be read safely is left untouched.
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace {
constexpr int ExitOk = 0;
constexpr int ExitUsage = 2;
constexpr int ExitNotWritten = 1;

void say(FILE* stream, const QString& text) { std::fprintf(stream, "%s\n", qPrintable(text)); }
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() > 1 || arguments.value(0).startsWith(u'-')) {
        say(stderr, QStringLiteral("Usage: quavelet-register [FOLDER]\n"
                                   "Records FOLDER (by default the data folder of this installation)\n"
                                   "as the installation folder of Quavelet for the current user."));
        return ExitUsage;
    }
    // Without an argument: the data folder beside this tool's bin folder.
    const QString given = arguments.isEmpty()
                              ? QCoreApplication::applicationDirPath() + QStringLiteral("/" QUAVELET_DATA_FROM_BIN)
                              : arguments.first();
    const QFileInfo folder(given);
    if (!folder.isDir()) {
        say(stderr, QStringLiteral("quavelet-register: \"%1\" is not a folder.").arg(given));
        return ExitUsage;
    }
    const QString directory = QDir::cleanPath(folder.absoluteFilePath()) + u'/';

    const SettingsStore store;
    std::optional<SettingsKey> program = store.openProgramKey();
    if (!program) {
        say(stderr, QStringLiteral("quavelet-register: cannot open or create the settings of Quavelet."));
        return ExitNotWritten;
    }
    if (!program->writeString(QStringLiteral("Directory"), directory)) {
        say(stderr, QStringLiteral("quavelet-register: the settings file \"%1\" could not be read safely; it was "
                                   "left as it is. Correct or remove it and run this again.")
                        .arg(program->fileName()));
        return ExitNotWritten;
    }
    say(stdout, QStringLiteral("Quavelet is installed in \"%1\" (recorded in \"%2\").").arg(directory, program->fileName()));
    return ExitOk;
}
