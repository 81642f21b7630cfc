#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

// The real program under a real X server (Xvfb, started here on a free
// display), each test with its own settings and runtime folders: it shows its
// window, keeps to one copy, gets over a copy killed with SIGKILL, and writes
// its preference at every end.
class TestProcess : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void secondCopyBringsFirstForward();
    void killedCopyDoesNotBlockNextStart();
    void eightCopiesAtOnceLeaveOne();
    void aboutDialogAtStartUp();
    void failedStartExplainsAndStoresPreference();

private:
    QProcess* startCopy();
    QString x11(const QString& program, const QStringList& arguments, int* exitCode = nullptr) const;
    QStringList windowsNamed(const QString& title) const;
    QString focusedWindow() const;
    QString settingsFile() const { return m_folder->path() + QStringLiteral("/config/Oblimo Software/Quavelet.conf"); }
    void writeSettings(const QByteArray& text) const;
    QByteArray settingsBytes() const;
    int runningCopies() const;

    QString m_asanSuppressions;
    QProcess m_xserver;
    QString m_display;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::vector<std::unique_ptr<QProcess>> m_copies;
};

namespace {
// Generous: the program is built with sanitizers and the machine may be busy.
constexpr int StartDeadlineMs = 20000;
const QString MainWindowName = QStringLiteral("Quavelet");
} // namespace

void TestProcess::initTestCase() {
    const QString binary = qEnvironmentVariable("QUAVELET_BINARY");
    QVERIFY2(QFileInfo(binary).isExecutable(), "QUAVELET_BINARY names no program");
    m_asanSuppressions = QFINDTESTDATA("asan.supp");
    QVERIFY(!m_asanSuppressions.isEmpty());
    // Xvfb chooses a free display number itself and tells it once it is ready
    // to take clients. Without -noreset it would reset whenever its last
    // client leaves, and a program starting at that moment could not connect.
    m_xserver.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                                            QStringLiteral("-screen"), QStringLiteral("0"),
                                            QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                                            QStringLiteral("tcp")});
    QVERIFY2(m_xserver.waitForStarted(5000), "Xvfb is not installed (scripts/install-deps)");
    QElapsedTimer clock;
    clock.start();
    QByteArray announced;
    while (!announced.endsWith('\n') && clock.elapsed() < 15000 && m_xserver.state() == QProcess::Running) {
        m_xserver.waitForReadyRead(500);
        announced += m_xserver.readAllStandardOutput();
    }
    bool isNumber = false;
    const int number = announced.trimmed().toInt(&isNumber);
    if (isNumber)
        m_display = QStringLiteral(":%1").arg(number);
    QVERIFY2(!m_display.isEmpty(), "no X server could be started");
}

void TestProcess::cleanupTestCase() {
    m_xserver.terminate();
    if (!m_xserver.waitForFinished(5000))
        m_xserver.kill();
    m_xserver.waitForFinished(5000);
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
    for (auto& copy : m_copies) {
        if (copy->state() != QProcess::NotRunning) {
            copy->kill();
            copy->waitForFinished(5000);
        }
    }
    m_copies.clear();
    m_folder.reset();
}

QProcess* TestProcess::startCopy() {
    auto copy = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_folder->path() + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_folder->path() + QStringLiteral("/runtime"));
    // The X11 platform loads system libraries the offscreen one does not.
    const QString sanitizerOptions = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       sanitizerOptions + (sanitizerOptions.isEmpty() ? "" : ":") + QStringLiteral("suppressions=") +
                           m_asanSuppressions);
    copy->setProcessEnvironment(environment);
    copy->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    copy->start(qEnvironmentVariable("QUAVELET_BINARY"), QStringList());
    m_copies.push_back(std::move(copy));
    return m_copies.back().get();
}

QString TestProcess::x11(const QString& program, const QStringList& arguments, int* exitCode) const {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    tool.setProcessEnvironment(environment);
    tool.start(program, arguments);
    if (!tool.waitForFinished(10000))
        tool.kill();
    if (exitCode)
        *exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

// The mapped top-level windows whose title is exactly this; without a window
// manager they are the children of the root window.
QStringList TestProcess::windowsNamed(const QString& title) const {
    static const QRegularExpression line(QStringLiteral("^\\s*(0x[0-9a-f]+) \"(.*)\":"));
    QStringList found;
    const QString tree = x11(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-children")});
    for (const QString& entry : tree.split(u'\n')) {
        const QRegularExpressionMatch match = line.match(entry);
        if (!match.hasMatch() || match.captured(2) != title)
            continue;
        const QString window = match.captured(1);
        if (x11(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window}).contains(QStringLiteral("IsViewable")))
            found << QString::number(window.toULongLong(nullptr, 16));
    }
    return found;
}

// The window holding the X input focus; empty when it is none or the
// pointer root (no window manager runs here).
QString TestProcess::focusedWindow() const {
    int exitCode = 0;
    const QString window = x11(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus")}, &exitCode);
    return exitCode == 0 ? window : QString();
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

int TestProcess::runningCopies() const {
    int running = 0;
    for (const auto& copy : m_copies)
        running += copy->state() != QProcess::NotRunning;
    return running;
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
    for (int i = 0; i < 8; ++i)
        startCopy();
    QTRY_COMPARE_WITH_TIMEOUT(runningCopies(), 1, StartDeadlineMs);
    QTRY_COMPARE_WITH_TIMEOUT(windowsNamed(MainWindowName).size(), 1, StartDeadlineMs);
    for (const auto& copy : m_copies) {
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

    x11(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), boxes.first()});
    x11(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")});
    QVERIFY2(copy->waitForFinished(10000), "the program did not end after the message");
    QCOMPARE(copy->exitStatus(), QProcess::NormalExit);
    QCOMPARE(copy->exitCode(), 1);
    QVERIFY2(settingsBytes().contains("SplashScreen=1"), settingsBytes().constData());
}

QTEST_GUILESS_MAIN(TestProcess)
#include "tst_process.moc"
