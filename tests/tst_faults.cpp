#include "XServer.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <optional>

#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <unistd.h>

// The real program under a real X server, started into faults of its
// surroundings: damaged, unreadable and unwritable settings, values of
// another type, a broken runtime folder, the lock and socket of a copy that
// died, peers that misbehave on the activation socket, and the signals by
// which a logout or a user ends it. Each test has folders of its own.
class TestFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void settingsFaults_data();
    void settingsFaults();
    void runtimeFolderFaults_data();
    void runtimeFolderFaults();
    void staleInstanceFiles_data();
    void staleInstanceFiles();
    void misbehavingPeers_data();
    void misbehavingPeers();
    void terminationSignals_data();
    void terminationSignals();
    void terminationWhileStuck();

private:
    // "@" in a text stands for the test's folder.
    QByteArray at(QByteArray text) const { return text.replace('@', m_folder->path().toUtf8()); }
    QString at(const QString& text) const { return QString(text).replace(u'@', m_folder->path()); }
    QString settingsFolder() const { return m_folder->path() + QStringLiteral("/config/Oblimo Software"); }
    QString settingsFile() const { return settingsFolder() + QStringLiteral("/Quavelet.conf"); }
    QString runtimeFolder() const { return m_folder->path() + QStringLiteral("/runtime"); }
    void writeSettings(const QByteArray& text) const;
    QByteArray settingsBytes() const;

    QProcess* startCopy(const QString& runtime = QString(), const QStringList& launcher = QStringList());
    // The launcher that runs the program as a user whom file permissions
    // bind, having handed the test's folders to that user; an empty one when
    // this test already runs as such a user. Nothing, with the reason in
    // m_noUnprivileged, when that is not possible.
    std::optional<QStringList> unprivilegedLauncher();
    QString mainWindowOf(QProcess* copy) const;
    bool waitForMainWindow(QProcess* copy, QString* window) const;

    XServer m_x;
    ProgramCopies m_copies{m_x};
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_noUnprivileged;
};

namespace {
// Generous: the program is built with sanitizers and the machine may be busy.
constexpr int StartDeadlineMs = 20000;
// A copy that only tells the running one ends within this.
constexpr int SecondCopyDeadlineMs = 10000;
// An ending asked for by a signal or an OK button takes no longer.
constexpr int EndDeadlineMs = 5000;
const QString MainWindowTitle = QStringLiteral("Quavelet");
// Start-up messages come before the title is set: the program's name.
const QString StartupBoxTitle = QStringLiteral("quavelet");
const QString AboutTitle = QStringLiteral("Quavelet: About");
const QString ConfirmTitle = QStringLiteral("Confirm");
const QByteArray ActivationMessage = "Check for Quavelet instance";

enum class Start { MainWindow, StartupMessage };
enum class Stage { Window, AboutDialog, Quiz, CloseQuestion, StartupMessage };
} // namespace

Q_DECLARE_METATYPE(Start)
Q_DECLARE_METATYPE(Stage)

void TestFaults::initTestCase() {
    const QString unavailable = ProgramCopies::unavailable();
    QVERIFY2(unavailable.isEmpty(), qPrintable(unavailable));
    const QString failure = m_x.start();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    // A peer whose server hangs up must not end this test.
    std::signal(SIGPIPE, SIG_IGN);
}

void TestFaults::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    for (const char* sub : {"config", "runtime", "install", "temp", "home"})
        QVERIFY(QDir(m_folder->path()).mkdir(QString::fromLatin1(sub)));
    QVERIFY(QFile::setPermissions(runtimeFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void TestFaults::cleanup() {
    m_copies.killAll();
    if (!m_folder || !m_folder->isValid())
        return;
    // Folders made read-only must be writable again to be removed.
    QDirIterator entries(m_folder->path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString entry = entries.next();
        if (QFileInfo(entry).isDir() && !QFileInfo(entry).isSymLink())
            ::chmod(QFile::encodeName(entry).constData(), 0700);
    }
    m_folder.reset();
}

void TestFaults::writeSettings(const QByteArray& text) const {
    QVERIFY(QDir().mkpath(settingsFolder()));
    QFile file(settingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(text), text.size());
}

QByteArray TestFaults::settingsBytes() const {
    QFile file(settingsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QProcess* TestFaults::startCopy(const QString& runtime, const QStringList& launcher) {
    QProcessEnvironment variables;
    variables.insert(QStringLiteral("XDG_CONFIG_HOME"), m_folder->path() + QStringLiteral("/config"));
    variables.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.isEmpty() ? runtimeFolder() : runtime);
    // Where a runtime folder falls back to: private to this test too.
    variables.insert(QStringLiteral("TMPDIR"), m_folder->path() + QStringLiteral("/temp"));
    variables.insert(QStringLiteral("HOME"), m_folder->path() + QStringLiteral("/home"));
    // Relative paths in the settings resolve here, where nothing is.
    return m_copies.start(variables, m_folder->path() + QStringLiteral("/home"), launcher);
}

std::optional<QStringList> TestFaults::unprivilegedLauncher() {
    if (::geteuid() != 0)
        return QStringList();
    // For root, file permissions stop no reading or writing: the program
    // runs as the unprivileged user "nobody" instead.
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    const passwd* nobody = ::getpwnam("nobody");
    if (setpriv.isEmpty() || !nobody) {
        m_noUnprivileged = QStringLiteral("running as root, and there is no setpriv or no user nobody to run the "
                                          "program as: permissions would not stop it");
        return std::nullopt;
    }
    const QByteArray top = QFile::encodeName(m_folder->path());
    bool handedOver = ::chown(top.constData(), nobody->pw_uid, nobody->pw_gid) == 0;
    QDirIterator entries(m_folder->path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext())
        handedOver &= ::lchown(QFile::encodeName(entries.next()).constData(), nobody->pw_uid, nobody->pw_gid) == 0;
    if (!handedOver) {
        m_noUnprivileged = QStringLiteral("running as root, and the test's folders cannot be handed to nobody");
        return std::nullopt;
    }
    const QStringList launcher{setpriv, QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
                               QStringLiteral("--regid=%1").arg(nobody->pw_gid), QStringLiteral("--clear-groups")};
    // The program may lie where only its builder can reach it.
    QProcess probe;
    probe.start(launcher.first(), launcher.mid(1) << QStringLiteral("test") << QStringLiteral("-x")
                                                  << qEnvironmentVariable("QUAVELET_BINARY"));
    if (!probe.waitForFinished(5000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0) {
        m_noUnprivileged = QStringLiteral("running as root, and nobody cannot run the program where it lies");
        return std::nullopt;
    }
    return launcher;
}

QString TestFaults::mainWindowOf(QProcess* copy) const {
    const QStringList windows = m_x.windowsNamed(MainWindowTitle, copy->processId());
    return windows.size() == 1 ? windows.first() : QString();
}

bool TestFaults::waitForMainWindow(QProcess* copy, QString* window) const {
    if (!copy->waitForStarted(5000))
        return false;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < StartDeadlineMs && copy->state() == QProcess::Running) {
        *window = mainWindowOf(copy);
        if (!window->isEmpty())
            return true;
        QTest::qWait(50);
    }
    return false;
}

// ---------------------------------------------------------------------------

void TestFaults::settingsFaults_data() {
    QTest::addColumn<QByteArray>("text");   // the settings file; "@" the test's folder
    QTest::addColumn<bool>("folderInPlace"); // a folder where the file should be
    QTest::addColumn<int>("fileMode");      // -1: as created
    QTest::addColumn<int>("folderMode");    // of the settings folder; -1: as created
    QTest::addColumn<Start>("start");
    QTest::addColumn<bool>("aboutDialog"); // shown at start-up
    QTest::addColumn<QByteArray>("after"); // the file at the end; empty: as it was

    // Every damaged file holds a good "Directory" line: a reader that took
    // what it could would start the program, and a rewrite would show.
    const QByteArray good = "[General]\nDirectory=@/install\nSplashScreen=+0\n";
    const QByteArray same;
    static const char garbage[] = "\x7f" "ELF\x02\x01\x00\x00\nDirectory=@/install\n\xff\xfe\x00SplashScreen=0";
    QTest::newRow("garbage") << QByteArray(garbage, sizeof garbage - 1) << false << -1 << -1 << Start::StartupMessage
                             << false << same;
    QTest::newRow("truncated mid-line") << QByteArray("[General]\nDirectory=@/install\nSplashSc") << false << -1 << -1
                                        << Start::StartupMessage << false << same;
    QTest::newRow("unterminated section") << QByteArray("[General\nDirectory=@/install\nSplashScreen=0\n") << false << -1
                                          << -1 << Start::StartupMessage << false << same;
    QTest::newRow("a folder in its place") << QByteArray() << true << -1 << -1 << Start::StartupMessage << false << same;
    QTest::newRow("unreadable file (0000)") << good << false << 0000 << -1 << Start::StartupMessage << false << same;
    // Readable but not writable: the program starts, and its end cannot
    // store the "0" it read as "+0".
    QTest::newRow("read-only file (0444)") << good << false << 0444 << -1 << Start::MainWindow << false << same;
    QTest::newRow("read-only folder (0555)") << good << false << -1 << 0555 << Start::MainWindow << false << same;
    // Read, but a rewrite would cut "Note" short at the semicolon.
    QTest::newRow("semicolon in a value")
        << QByteArray("[General]\nDirectory=@/install\nNote=kept ; why\nSplashScreen=+0\n") << false << -1 << -1
        << Start::MainWindow << false << same;
    // Values of another type read as missing.
    QTest::newRow("SplashScreen of another type")
        << QByteArray("[General]\nDirectory=@/install\nSplashScreen=abc\n") << false << -1 << -1 << Start::MainWindow
        << true << QByteArray("[General]\nDirectory=@/install\nSplashScreen=1\n");
    QTest::newRow("Directory a number") << QByteArray("[General]\nDirectory=42\nSplashScreen=0\n") << false << -1 << -1
                                        << Start::StartupMessage << false << same;
    QTest::newRow("Directory a list") << QByteArray("[General]\nDirectory=@/install, @/install\nSplashScreen=0\n")
                                      << false << -1 << -1 << Start::StartupMessage << false << same;
}

// The program starts, or explains and ends, as its settings allow; where it
// could not read the file or cannot write it, the file is left exactly as
// it was.
void TestFaults::settingsFaults() {
    QFETCH(QByteArray, text);
    QFETCH(bool, folderInPlace);
    QFETCH(int, fileMode);
    QFETCH(int, folderMode);
    QFETCH(Start, start);
    QFETCH(bool, aboutDialog);
    QFETCH(QByteArray, after);

    text = at(text);
    after = after.isEmpty() ? text : at(after);
    if (folderInPlace)
        QVERIFY(QDir().mkpath(settingsFile()));
    else
        writeSettings(text);
    QStringList launcher;
    if (fileMode != -1 || folderMode != -1) {
        const std::optional<QStringList> unprivileged = unprivilegedLauncher();
        if (!unprivileged)
            QSKIP(qPrintable(m_noUnprivileged));
        launcher = *unprivileged;
    }
    if (fileMode != -1)
        QCOMPARE(::chmod(QFile::encodeName(settingsFile()).constData(), mode_t(fileMode)), 0);
    if (folderMode != -1)
        QCOMPARE(::chmod(QFile::encodeName(settingsFolder()).constData(), mode_t(folderMode)), 0);

    QProcess* copy = startCopy(QString(), launcher);
    QVERIFY(copy->waitForStarted(5000));
    if (start == Start::MainWindow) {
        QString window;
        QVERIFY2(waitForMainWindow(copy, &window), "the main window did not appear");
        QTRY_COMPARE_WITH_TIMEOUT(m_x.windowsNamed(AboutTitle, copy->processId()).size(), aboutDialog ? 1 : 0,
                                  StartDeadlineMs);
        QCOMPARE(m_x.windowsNamed(StartupBoxTitle, copy->processId()), QStringList{});
        // Ended from outside, it still runs its end steps.
        QCOMPARE(::kill(pid_t(copy->processId()), SIGTERM), 0);
        QVERIFY2(copy->waitForFinished(EndDeadlineMs), "SIGTERM did not end the program");
        QCOMPARE(copy->exitStatus(), QProcess::CrashExit);
        QCOMPARE(copy->exitCode(), int(SIGTERM));
    } else {
        QStringList boxes;
        QTRY_VERIFY_WITH_TIMEOUT(!(boxes = m_x.windowsNamed(StartupBoxTitle, copy->processId())).isEmpty(),
                                 StartDeadlineMs);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(m_x.windowsNamed(MainWindowTitle, copy->processId()), QStringList{});
        m_x.typeInto(boxes.first(), {QStringLiteral("Return")});
        QVERIFY2(copy->waitForFinished(EndDeadlineMs), "the program did not end after its message");
        QCOMPARE(copy->exitStatus(), QProcess::NormalExit);
        QCOMPARE(copy->exitCode(), 1);
    }

    if (folderInPlace) {
        QVERIFY(QFileInfo(settingsFile()).isDir());
        QVERIFY(QDir(settingsFile()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
        return;
    }
    if (fileMode != -1) {
        // Not replaced by a file of other permissions either.
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(settingsFile()).constData(), &status), 0);
        QCOMPARE(int(status.st_mode & 07777), fileMode);
        QCOMPARE(::chmod(QFile::encodeName(settingsFile()).constData(), 0600), 0);
    }
    QCOMPARE(settingsBytes(), after);
}

// ---------------------------------------------------------------------------

void TestFaults::runtimeFolderFaults_data() {
    QTest::addColumn<QString>("runtime"); // XDG_RUNTIME_DIR; "@" the test's folder
    QTest::addColumn<int>("mode");        // of an existing folder; -1: none
    QTest::newRow("missing, and its parent too") << "@/gone/runtime" << -1;
    QTest::newRow("missing") << "@/fresh" << -1;
    QTest::newRow("a file") << "@/file" << -1;
    QTest::newRow("not writable") << "@/locked" << 0500;
}

// A runtime folder that cannot be used is replaced by one of the user's own;
// the one-copy rule holds there as well.
void TestFaults::runtimeFolderFaults() {
    QFETCH(QString, runtime);
    QFETCH(int, mode);
    runtime = at(runtime);
    writeSettings(at(QByteArray("[General]\nDirectory=@/install\nSplashScreen=0\n")));
    QFile file(at(QStringLiteral("@/file")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    if (mode != -1) {
        QVERIFY(QDir().mkdir(runtime));
        QCOMPARE(::chmod(QFile::encodeName(runtime).constData(), mode_t(mode)), 0);
    }

    QProcess* first = startCopy(runtime);
    QString window;
    QVERIFY2(waitForMainWindow(first, &window), "the program did not start");
    QVERIFY(m_x.focusedWindow() != window);

    QProcess* second = startCopy(runtime);
    QVERIFY2(second->waitForFinished(SecondCopyDeadlineMs), "the second copy did not end");
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(m_x.focusedWindow(), window, EndDeadlineMs);
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(m_x.windowsNamed(MainWindowTitle), QStringList{window});
}

// ---------------------------------------------------------------------------

void TestFaults::staleInstanceFiles_data() {
    // What the lock file holds: a process id or "dead" for one that has
    // ended, or "sleeping" for a live process of another program; the rest
    // as written.
    QTest::addColumn<QByteArray>("lock");
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    QTest::newRow("holder died") << QByteArray("dead\nquavelet\n" + host + "\n");
    QTest::newRow("holder's id reused") << QByteArray("sleeping\nquavelet\n" + host + "\n");
    // The holder died between creating the file and writing it.
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("garbage") << QByteArray("\x01\x02 not a lock \xff\n", 17);
}

// A copy that died (power cut, SIGKILL) leaves its lock file and its socket
// file behind, with no server on the socket. The next start gets over them
// at once, and later copies find it.
void TestFaults::staleInstanceFiles() {
    QFETCH(QByteArray, lock);
    writeSettings(at(QByteArray("[General]\nDirectory=@/install\nSplashScreen=0\n")));

    QProcess ended;
    ended.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    QVERIFY(ended.waitForStarted(5000));
    lock.replace("dead", QByteArray::number(ended.processId()));
    ended.kill();
    QVERIFY(ended.waitForFinished(5000));
    QProcess sleeping;
    sleeping.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    QVERIFY(sleeping.waitForStarted(5000));
    const auto stopSleeping = qScopeGuard([&sleeping] {
        sleeping.kill();
        sleeping.waitForFinished(5000);
    });
    lock.replace("sleeping", QByteArray::number(sleeping.processId()));
    QFile lockFile(runtimeFolder() + QStringLiteral("/QV32.lock"));
    QVERIFY(lockFile.open(QIODevice::WriteOnly));
    QCOMPARE(lockFile.write(lock), lock.size());
    lockFile.close();
    // A socket file that nothing listens on.
    const QByteArray socketPath = QFile::encodeName(runtimeFolder() + QStringLiteral("/QV32.socket"));
    const int orphan = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(orphan >= 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    QVERIFY(size_t(socketPath.size()) < sizeof address.sun_path);
    std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
    QCOMPARE(::bind(orphan, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(orphan);
    QVERIFY(QFileInfo::exists(QString::fromUtf8(socketPath)));

    QProcess* first = startCopy();
    QString window;
    QVERIFY2(waitForMainWindow(first, &window), "the program did not start");
    QCOMPARE(first->state(), QProcess::Running);

    QProcess* second = startCopy();
    QVERIFY2(second->waitForFinished(SecondCopyDeadlineMs), "the second copy did not end");
    QCOMPARE(second->exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(m_x.focusedWindow(), window, EndDeadlineMs);
    QCOMPARE(first->state(), QProcess::Running);
}

// ---------------------------------------------------------------------------

void TestFaults::misbehavingPeers_data() {
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<int>("peers");
    QTest::addColumn<bool>("staysConnected"); // the peers hold their connections open
    QTest::newRow("garbage") << QByteArray("\x01\x02garbage\xff\n") << 1 << false;
    QTest::newRow("10 MB") << QByteArray(10 * 1024 * 1024, 'C') << 1 << false;
    QTest::newRow("message cut short") << ActivationMessage.left(10) << 1 << true;
    QTest::newRow("connects and never writes") << QByteArray() << 1 << true;
    // As many as the running copy serves at once, and one more.
    QTest::newRow("a crowd that never writes") << QByteArray() << 9 << true;
}

// Other local programs on the activation socket neither bring the running
// copy forward nor stop it from answering a real second copy, and the
// running copy keeps running.
void TestFaults::misbehavingPeers() {
    QFETCH(QByteArray, sent);
    QFETCH(int, peers);
    QFETCH(bool, staysConnected);
    writeSettings(at(QByteArray("[General]\nDirectory=@/install\nSplashScreen=0\n")));
    QProcess* first = startCopy();
    QString window;
    QVERIFY2(waitForMainWindow(first, &window), "the program did not start");

    std::vector<std::unique_ptr<QLocalSocket>> crowd;
    for (int i = 0; i < peers; ++i) {
        auto& peer = crowd.emplace_back(std::make_unique<QLocalSocket>());
        peer->connectToServer(runtimeFolder() + QStringLiteral("/QV32.socket"));
        QVERIFY(peer->waitForConnected(5000));
        peer->write(sent);
        QElapsedTimer clock;
        clock.start();
        while (peer->bytesToWrite() > 0 && peer->state() == QLocalSocket::ConnectedState &&
               clock.elapsed() < EndDeadlineMs)
            peer->waitForBytesWritten(100);
        if (!staysConnected)
            QTRY_COMPARE_WITH_TIMEOUT(peer->state(), QLocalSocket::UnconnectedState, EndDeadlineMs);
    }
    QCOMPARE(first->state(), QProcess::Running);
    QVERIFY2(m_x.focusedWindow() != window, "a peer that did not send the message brought the window forward");

    // While silent peers still hold their connections.
    QProcess* second = startCopy();
    QVERIFY2(second->waitForFinished(SecondCopyDeadlineMs), "the second copy did not end");
    QCOMPARE(second->exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(m_x.focusedWindow(), window, EndDeadlineMs);
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(m_x.windowsNamed(MainWindowTitle, first->processId()), QStringList{window});
}

// ---------------------------------------------------------------------------

void TestFaults::terminationSignals_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<QByteArray>("text"); // the settings file; "@" the test's folder
    QTest::addColumn<Stage>("stage");     // where the program is when the signal comes
    QTest::addColumn<QByteArray>("after");

    const QByteArray zero = "[General]\nDirectory=@/install\nSplashScreen=0\n";
    // "+0" reads as 0 and is written back as "0": the file shows the end
    // steps ran.
    const QByteArray signedZero = "[General]\nDirectory=@/install\nSplashScreen=+0\n";
    QTest::newRow("SIGTERM keeps 0") << int(SIGTERM) << zero << Stage::Window << zero;
    QTest::newRow("SIGTERM writes a missing preference, About dialog open")
        << int(SIGTERM) << QByteArray("[General]\nDirectory=@/install\n") << Stage::AboutDialog
        << QByteArray("[General]\nDirectory=@/install\nSplashScreen=1\n");
    QTest::newRow("SIGINT") << int(SIGINT) << signedZero << Stage::Window << zero;
    QTest::newRow("SIGHUP") << int(SIGHUP) << signedZero << Stage::Window << zero;
    QTest::newRow("SIGTERM during a quiz") << int(SIGTERM) << signedZero << Stage::Quiz << zero;
    QTest::newRow("SIGTERM with the close question open") << int(SIGTERM) << signedZero << Stage::CloseQuestion << zero;
    QTest::newRow("SIGTERM during the start-up message")
        << int(SIGTERM) << QByteArray("[General]\nSplashScreen=+0\n") << Stage::StartupMessage
        << QByteArray("[General]\nSplashScreen=0\n");
}

// Ended from outside, by a logout or the user, the program runs its end
// steps: the preference is written, nothing is asked, and it ends within
// seconds by that signal.
void TestFaults::terminationSignals() {
    QFETCH(int, signal);
    QFETCH(QByteArray, text);
    QFETCH(Stage, stage);
    QFETCH(QByteArray, after);
    writeSettings(at(text));

    QProcess* copy = startCopy();
    QVERIFY(copy->waitForStarted(5000));
    const qint64 pid = copy->processId();
    if (stage == Stage::StartupMessage) {
        QTRY_COMPARE_WITH_TIMEOUT(m_x.windowsNamed(StartupBoxTitle, pid).size(), 1, StartDeadlineMs);
    } else {
        QString window;
        QVERIFY2(waitForMainWindow(copy, &window), "the main window did not appear");
        QTRY_COMPARE_WITH_TIMEOUT(m_x.windowsNamed(AboutTitle, pid).size(), stage == Stage::AboutDialog ? 1 : 0,
                                  StartDeadlineMs);
        if (stage == Stage::Quiz || stage == Stage::CloseQuestion) {
            // Game > Begin Quiz from the keyboard; the menu is a window of
            // its own with the same title.
            m_x.typeInto(window, {QStringLiteral("alt+g")});
            QTRY_COMPARE_WITH_TIMEOUT(m_x.windowsNamed(MainWindowTitle, pid).size(), 2, EndDeadlineMs);
            m_x.run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("b")});
            QTRY_COMPARE_WITH_TIMEOUT(m_x.windowsNamed(MainWindowTitle, pid).size(), 1, EndDeadlineMs);
            // Close has the focus: asking to close shows that a quiz runs.
            m_x.typeInto(window, {QStringLiteral("space")});
            QStringList question;
            QTRY_COMPARE_WITH_TIMEOUT((question = m_x.windowsNamed(ConfirmTitle, pid)).size(), 1, EndDeadlineMs);
            if (stage == Stage::Quiz) {
                m_x.typeInto(question.first(), {QStringLiteral("n")});
                QTRY_COMPARE_WITH_TIMEOUT(m_x.windowsNamed(ConfirmTitle, pid).size(), 0, EndDeadlineMs);
                QCOMPARE(mainWindowOf(copy), window);
            }
        }
    }

    QCOMPARE(::kill(pid_t(pid), signal), 0);
    QVERIFY2(copy->waitForFinished(EndDeadlineMs), "the program did not end");
    QCOMPARE(copy->exitStatus(), QProcess::CrashExit);
    QCOMPARE(copy->exitCode(), signal);
    QCOMPARE(settingsBytes(), at(after));
    // It let go of its lock and its socket.
    QVERIFY(QDir(runtimeFolder()).isEmpty());
}

// A copy stuck outside its event loop (here opening a named pipe where its
// settings file should be, which no one writes) still ends soon after
// SIGTERM, by that signal.
void TestFaults::terminationWhileStuck() {
    QVERIFY(QDir().mkpath(settingsFolder()));
    QCOMPARE(::mkfifo(QFile::encodeName(settingsFile()).constData(), 0600), 0);
    QProcess* copy = startCopy();
    QVERIFY(copy->waitForStarted(5000));
    // The system call the copy is blocked in, as the kernel reports it: the
    // open of the pipe comes after the signal handlers are in place.
    const QString syscall = QStringLiteral("/proc/%1/syscall").arg(copy->processId());
    auto blockedIn = [&syscall] {
        QFile file(syscall);
        return file.open(QIODevice::ReadOnly) ? file.readAll().split(' ').first() : QByteArray();
    };
    if (!QFileInfo::exists(syscall))
        QSKIP("the kernel does not report the system call a process is blocked in");
    QTRY_COMPARE_WITH_TIMEOUT(blockedIn(), QByteArray::number(SYS_openat), StartDeadlineMs);

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(::kill(pid_t(copy->processId()), SIGTERM), 0);
    QVERIFY2(copy->waitForFinished(EndDeadlineMs), "SIGTERM did not end a stuck program");
    QCOMPARE(copy->exitStatus(), QProcess::CrashExit);
    QCOMPARE(copy->exitCode(), int(SIGTERM));
    QVERIFY(clock.elapsed() < EndDeadlineMs);
    QVERIFY(QFileInfo(settingsFile()).exists());
}

QTEST_GUILESS_MAIN(TestFaults)
#include "tst_faults.moc"
