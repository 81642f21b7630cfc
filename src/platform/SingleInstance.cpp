#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include <unistd.h>

namespace {
constexpr int ConnectAttemptMs = 250;
constexpr int RetryPauseMs = 100;
} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& message, int eventType, QObject* parent)
    : SingleInstance(defaultFolder(), name, message, eventType, parent) {}

SingleInstance::SingleInstance(const QString& folder, const QString& name, const QString& message, int eventType,
                               QObject* parent)
    : QObject(parent), m_folder(folder), m_name(name), m_message(message.toUtf8()), m_eventType(eventType) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    // No runtime folder: one of our own in the temp folder, readable by this
    // user only. A folder of that name that belongs to someone else is not
    // used; the lock then cannot be created.
    const QString folder = QDir::tempPath() + QStringLiteral("/quavelet-") + QString::number(::getuid());
    QDir().mkpath(folder);
    const QFileInfo info(folder);
    if (!info.isDir() || info.ownerId() != ::getuid())
        return QString();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return folder;
}

QString SingleInstance::lockFileName() const { return m_folder + u'/' + m_name + QStringLiteral(".lock"); }

QString SingleInstance::serverName() const { return m_folder + u'/' + m_name + QStringLiteral(".socket"); }

bool SingleInstance::claim() {
    if (m_claimed)
        return true;
    if (!tryLock())
        return false;
    m_claimed = true;
    // Without a server this copy still runs; later copies then end after
    // their deadline without reaching it.
    if (!listen())
        qWarning("Cannot listen on %ls: other copies will not be able to bring this one forward.",
                 qUtf16Printable(serverName()));
    return true;
}

bool SingleInstance::tryLock() {
    if (m_folder.isEmpty())
        return false;
    if (!m_lock) {
        m_lock = std::make_unique<QLockFile>(lockFileName());
        // A lock is stale only when its holder has died; a copy that has run
        // for a long time still holds a valid lock.
        m_lock->setStaleLockTime(0);
    }
    // QLockFile clears a lock whose holder has died (a crash, SIGKILL) by
    // itself before it gives up.
    if (m_lock->tryLock(0))
        return true;
    // But only a lock that names its holder: one left empty by a holder that
    // died between creating and writing it, or damaged since, would keep
    // every later copy from starting, for good.
    if (m_lock->error() != QLockFile::LockFailedError || !lockNamesNoHolder())
        return false;
    // A living holder keeps its file locked against removal, so this removes
    // nothing but a dead one's.
    m_lock->removeStaleLockFile();
    return m_lock->tryLock(0);
}

bool SingleInstance::lockNamesNoHolder() const {
    qint64 pid = 0;
    QString hostName;
    QString appName;
    if (m_lock->getLockInfo(&pid, &hostName, &appName))
        return false;
    const QFileInfo file(lockFileName());
    if (!file.isFile())
        return false;
    // A holder writes its name the moment it creates the file; give one that
    // is doing so just now the time to finish. The clock may have been set
    // back since an old file was written: its age counts either way.
    const qint64 age = file.lastModified().msecsTo(QDateTime::currentDateTime());
    return std::abs(age) >= UnnamedLockGrace.count();
}

bool SingleInstance::listen() {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->setMaxPendingConnections(MaxPendingPeers);
    // A socket left by a copy that died; we hold the lock, so no copy is
    // listening on it.
    QLocalServer::removeServer(serverName());
    if (!m_server->listen(serverName()))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptPeers);
    return true;
}

void SingleInstance::acceptPeers() {
    // Peers beyond the limit are not turned away but left waiting, in the
    // server's queue and the system's, until a place is free: a real copy
    // among them has already written its message and ended, sure that it was
    // delivered. The queues are bounded, so waiting costs nothing more.
    while (m_openPeers < MaxPendingPeers) {
        QLocalSocket* peer = m_server->nextPendingConnection();
        if (!peer)
            return;
        ++m_openPeers;
        connect(peer, &QObject::destroyed, this, [this] {
            --m_openPeers;
            QMetaObject::invokeMethod(this, &SingleInstance::acceptPeers, Qt::QueuedConnection);
        });
        // Never buffer more than the message, whatever the peer sends.
        peer->setReadBufferSize(m_message.size());
        auto state = std::make_shared<PeerState>();
        auto* timeout = new QTimer(peer);
        timeout->setSingleShot(true);
        connect(timeout, &QTimer::timeout, peer, [this, peer, state] { dropPeer(peer, *state); });
        timeout->start(PeerTimeout);
        connect(peer, &QLocalSocket::readyRead, this, [this, peer, state] { readPeer(peer, *state); });
        connect(peer, &QLocalSocket::disconnected, this, [this, peer, state] {
            readPeer(peer, *state);
            dropPeer(peer, *state);
        });
        readPeer(peer, *state);
    }
}

void SingleInstance::dropPeer(QLocalSocket* peer, PeerState& state) {
    if (state.done)
        return;
    state.done = true;
    peer->abort();
    peer->deleteLater();
}

void SingleInstance::readPeer(QLocalSocket* peer, PeerState& state) {
    if (state.done)
        return;
    state.received += peer->read(m_message.size() - state.received.size());
    if (!m_message.startsWith(state.received)) {
        dropPeer(peer, state);
        return;
    }
    if (state.received.size() < m_message.size())
        return;
    // The running copy comes forward from its own event loop, not from
    // inside this socket's signal.
    QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::Type(m_eventType)));
    dropPeer(peer, state);
}

bool SingleInstance::notifyRunningCopy(std::chrono::milliseconds deadline) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        // The holder may have ended (or died) since claim(): then this copy
        // is the one that runs.
        if (claim())
            return false;
        QLocalSocket socket;
        socket.connectToServer(serverName());
        if (socket.waitForConnected(ConnectAttemptMs)) {
            socket.write(m_message);
            while (socket.bytesToWrite() > 0 && clock.elapsed() < deadline.count())
                socket.waitForBytesWritten(int(std::max<qint64>(deadline.count() - clock.elapsed(), 1)));
            const bool sent = socket.bytesToWrite() == 0;
            socket.disconnectFromServer();
            if (sent)
                return true;
        }
        if (clock.elapsed() + RetryPauseMs >= deadline.count())
            return false;
        QThread::msleep(RetryPauseMs);
    }
}
