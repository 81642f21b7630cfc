#include "XServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The real program under a real X server (Xvfb, started here on a free
// display), each test with its own settings and runtime folders: it shows its
// window, keeps to one copy, gets over a copy killed with SIGKILL, and writes
// its preference at every end.
class TestProcess : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void secondCopyBringsFirstForward();
    void killedCopyDoesNotBlockNextStart();
    void eightCopiesAtOnceLeaveOne();
    void aboutDialogAtStartUp();
    void failedStartExplainsAndStoresPreference();

private:
    QProcess* startCopy();
    QStringList windowsNamed(const QString& title) const { return m_x.windowsNamed(title); }
    QString focusedWindow() const { return m_x.focusedWindow(); }
    QString settingsFile() const { return m_folder->path() + QStringLiteral("/config/Oblimo Software/Quavelet.conf"); }
    void writeSettings(const QByteArray& text) const;
    QByteArray settingsBytes() const;
    int runningCopies() const { return m_copies.running(); }

    XServer m_x;
    ProgramCopies m_copies{m_x};
    std::unique_ptr<QTemporaryDir> m_folder;
};

namespace {
// Generous: the program is built with sanitizers and the machine may be busy.
constexpr int StartDeadlineMs = 20000;
const QString MainWindowName = QStringLiteral("Quavelet");
} // namespace

void TestProcess::initTestCase() {
    const QString unavailable = ProgramCopies::unavailable();
    QVERIFY2(unavailable.isEmpty(), qPrintable(unavailable));
    const QString failure = m_x.start();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestProcess::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    for (const char* sub : {"config", "runtime", "install"})
        QVERIFY(QDir(m_folder->path()).mkdir(QString::fromLatin1(sub)));
    QVERIFY(QFile::setPermissions(m_folder->path() + QStringLiteral("/runtime"),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    // No About dialog at start-up: nothing modal stands in the way.
    writeSettings("[General]\nDirectory=" + m_folder->path().toUtf8() + "/install\nSplashScreen=0\n");
}

void TestProcess::cleanup() {
    m_copies.killAll();
    m_folder.reset();
}

QProcess* TestProcess::startCopy() {
    QProcessEnvironment variables;
    variables.insert(QStringLiteral("XDG_CONFIG_HOME"), m_folder->path() + QStringLiteral("/config"));
    variables.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_folder->path() + QStringLiteral("/runtime"));
    return m_copies.start(variables);
}

void TestProcess::writeSettings(const QByteArray& text) const {
    QVERIFY(QDir().mkpath(QFileInfo(settingsFile()).absolutePath()));
    QFile file(settingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

QByteArray TestProcess::settingsBytes() const {
    QFile file(settingsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestProcess::secondCopyBringsFirstForward() {
    // "+0" reads as 0 and is written back as "0": the file shows who wrote.
    writeSettings("[General]\nDirectory=" + m_folder->path().toUtf8() + "/install\nSplashScreen=+0\n");
    QProcess* first = startCopy();
    QTRY_COMPARE_WITH_TIMEOUT(windowsNamed(MainWindowName).size(), 1, StartDeadlineMs);
    const QString window = windowsNamed(MainWindowName).first();

    // Without a window manager nothing gives a new window the focus. (Moving
    // the focus elsewhere with xdotool would stamp it with a later server
    // time than the program has seen, and X would then ignore the program's
    // request for it.)
    QVERIFY(focusedWindow() != window);
    QVERIFY(settingsBytes().contains("SplashScreen=+0"));

    QElapsedTimer clock;
    clock.start();
    QProcess* second = startCopy();
    QVERIFY2(second->waitForFinished(10000), "the second copy did not end");
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QVERIFY(clock.elapsed() < 10000);
    QTRY_COMPARE_WITH_TIMEOUT(focusedWindow(), window, 5000);
    QCOMPARE(windowsNamed(MainWindowName), QStringList{window});
    QCOMPARE(first->state(), QProcess::Running);
    // The second copy wrote back the value it read.
    QVERIFY2(settingsBytes().contains("SplashScreen=0\n"), settingsBytes().constData());
}

void TestProcess::killedCopyDoesNotBlockNextStart() {
    QProcess* first = startCopy();
    QTRY_COMPARE_WITH_TIMEOUT(windowsNamed(MainWindowName).size(), 1, StartDeadlineMs);
    first->kill();
    QVERIFY(first->waitForFinished(5000));
    const QDir runtime(m_folder->path() + QStringLiteral("/runtime"));
    QVERIFY2(runtime.exists(QStringLiteral("QV32.lock")), "the killed copy should have left its lock");

    QProcess* next = startCopy();
    QTRY_COMPARE_WITH_TIMEOUT(windowsNamed(MainWindowName).size(), 1, StartDeadlineMs);
    QCOMPARE(next->state(), QProcess::Running);
    // And it answers a later copy.
    QProcess* later = startCopy();
    QVERIFY(later->waitForFinished(10000));
    QCOMPARE(later->exitCode(), 0);
    QCOMPARE(next->state(), QProcess::Running);
}

void TestProcess::eightCopiesAtOnceLeaveOne() {
    QList<QProcess*> copies;
    for (int i = 0; i < 8; ++i)
        copies << startCopy();
    QTRY_COMPARE_WITH_TIMEOUT(runningCopies(), 1, StartDeadlineMs);
    QTRY_COMPARE_WITH_TIMEOUT(windowsNamed(MainWindowName).size(), 1, StartDeadlineMs);
    for (QProcess* copy : copies) {
        if (copy->state() == QProcess::NotRunning) {
            QCOMPARE(copy->exitStatus(), QProcess::NormalExit);
            QCOMPARE(copy->exitCode(), 0);
        }
    }
    // It stays the only one a moment later.
    QTest::qWait(500);
    QCOMPARE(runningCopies(), 1);
}

// With the preference on, the About dialog opens over the window at start-up,
// captioned with the title alone. A second copy started while it is open (a
// nested event loop) is still answered and ends.
void TestProcess::aboutDialogAtStartUp() {
    writeSettings("[General]\nDirectory=" + m_folder->path().toUtf8() + "/install\n");
    QProcess* first = startCopy();
    QTRY_COMPARE_WITH_TIMEOUT(windowsNamed(QStringLiteral("Quavelet: About")).size(), 1, StartDeadlineMs);
    QCOMPARE(windowsNamed(MainWindowName).size(), 1);

    QProcess* second = startCopy();
    QVERIFY2(second->waitForFinished(10000), "the second copy did not end");
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(windowsNamed(QStringLiteral("Quavelet: About")).size(), 1);
}

// No settings at all: the message names the key to fix, no window is shown,
// the program ends with a failure status and still writes the preference.
void TestProcess::failedStartExplainsAndStoresPreference() {
    QVERIFY(QDir(m_folder->path() + QStringLiteral("/config")).removeRecursively());
    QProcess* copy = startCopy();
    // The box carries the program's name; the title is set only later.
    QStringList boxes;
    QTRY_VERIFY_WITH_TIMEOUT(!(boxes = windowsNamed(QStringLiteral("quavelet"))).isEmpty(), StartDeadlineMs);
    QCOMPARE(windowsNamed(MainWindowName), QStringList{});
    QVERIFY(QFileInfo::exists(settingsFile()));

    m_x.typeInto(boxes.first(), {QStringLiteral("Return")});
    QVERIFY2(copy->waitForFinished(10000), "the program did not end after the message");
    QCOMPARE(copy->exitStatus(), QProcess::NormalExit);
    QCOMPARE(copy->exitCode(), 1);
    QVERIFY2(settingsBytes().contains("SplashScreen=1"), settingsBytes().constData());
}

QTEST_GUILESS_MAIN(TestProcess)
#include "tst_process.moc"
