#include "XServer.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

namespace {
constexpr int ServerStartMs = 15000;
constexpr int ToolDeadlineMs = 10000;

QString binary() { return qEnvironmentVariable("QUAVELET_BINARY"); }

QString asanSuppressions() { return QFINDTESTDATA("asan.supp"); }
} // namespace

XServer::~XServer() {
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.terminate();
    if (!m_server.waitForFinished(5000))
        m_server.kill();
    m_server.waitForFinished(5000);
}

QString XServer::start() {
    // Xvfb chooses a free display number itself and tells it once it is ready
    // to take clients. Without -noreset it would reset whenever its last
    // client leaves, and a program starting at that moment could not connect.
    m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                                           QStringLiteral("-screen"), QStringLiteral("0"),
                                           QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                                           QStringLiteral("tcp")});
    if (!m_server.waitForStarted(5000))
        return QStringLiteral("Xvfb is not installed (scripts/install-deps)");
    QElapsedTimer clock;
    clock.start();
    QByteArray announced;
    while (!announced.endsWith('\n') && clock.elapsed() < ServerStartMs && m_server.state() == QProcess::Running) {
        m_server.waitForReadyRead(500);
        announced += m_server.readAllStandardOutput();
    }
    bool isNumber = false;
    const int number = announced.trimmed().toInt(&isNumber);
    if (!isNumber)
        return QStringLiteral("no X server could be started");
    m_display = QStringLiteral(":%1").arg(number);
    return QString();
}

QString XServer::run(const QString& program, const QStringList& arguments, int* exitCode) const {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    tool.setProcessEnvironment(environment);
    tool.start(program, arguments);
    if (!tool.waitForFinished(ToolDeadlineMs))
        tool.kill();
    tool.waitForFinished(ToolDeadlineMs);
    if (exitCode)
        *exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QStringList XServer::windowsNamed(const QString& title, qint64 pid) const {
    static const QRegularExpression line(QStringLiteral("^\\s*(0x[0-9a-f]+) \"(.*)\":"));
    QStringList found;
    const QString tree = run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-children")});
    for (const QString& entry : tree.split(u'\n')) {
        const QRegularExpressionMatch match = line.match(entry);
        if (!match.hasMatch() || match.captured(2) != title)
            continue;
        const QString window = match.captured(1);
        if (!run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window}).contains(QStringLiteral("IsViewable")))
            continue;
        const QString id = QString::number(window.toULongLong(nullptr, 16));
        if (pid && run(QStringLiteral("xdotool"), {QStringLiteral("getwindowpid"), id}) != QString::number(pid))
            continue;
        found << id;
    }
    return found;
}

QString XServer::focusedWindow() const {
    int exitCode = 0;
    const QString window = run(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus")}, &exitCode);
    return exitCode == 0 ? window : QString();
}

void XServer::typeInto(const QString& window, const QStringList& keys) const {
    run(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    for (const QString& key : keys)
        run(QStringLiteral("xdotool"), {QStringLiteral("key"), key});
}

ProgramCopies::ProgramCopies(const XServer& server) : m_server(server) {}

ProgramCopies::~ProgramCopies() { killAll(); }

QString ProgramCopies::unavailable() {
    if (!QFileInfo(binary()).isExecutable())
        return QStringLiteral("QUAVELET_BINARY names no program");
    if (asanSuppressions().isEmpty())
        return QStringLiteral("the sanitizer suppressions (asan.supp) are missing");
    return QString();
}

QProcess* ProgramCopies::start(const QProcessEnvironment& variables, const QString& workingDirectory,
                               const QStringList& launcher) {
    auto copy = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_server.display());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // The X11 platform loads system libraries the offscreen one does not.
    const QString sanitizerOptions = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       sanitizerOptions + (sanitizerOptions.isEmpty() ? "" : ":") + QStringLiteral("suppressions=") +
                           asanSuppressions());
    environment.insert(variables);
    copy->setProcessEnvironment(environment);
    copy->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (!workingDirectory.isEmpty())
        copy->setWorkingDirectory(workingDirectory);
    if (launcher.isEmpty())
        copy->start(binary(), QStringList());
    else
        copy->start(launcher.first(), launcher.mid(1) << binary());
    m_copies.push_back(std::move(copy));
    return m_copies.back().get();
}

int ProgramCopies::running() const {
    int count = 0;
    for (const auto& copy : m_copies)
        count += copy->state() != QProcess::NotRunning;
    return count;
}

void ProgramCopies::killAll() {
    for (auto& copy : m_copies) {
        if (copy->state() != QProcess::NotRunning) {
            copy->kill();
            copy->waitForFinished(5000);
        }
    }
    m_copies.clear();
}
