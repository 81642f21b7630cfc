#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

class QLocalServer;
class QLocalSocket;

// Keeps the program to one copy per user. The first copy holds the lock file
// "<name>.lock" and listens on the local socket "<name>.socket", both in the
// user's runtime folder; a later copy finds the lock taken, sends the
// activation message over the socket and ends. The lock belongs to the
// process: when it dies, even by SIGKILL, the next start clears the stale
// lock and socket.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // eventType: the event posted to the application object when another
    // copy sends the message.
    SingleInstance(const QString& name, const QString& message, int eventType, QObject* parent = nullptr);
    // As above, in a folder of the caller's choice.
    SingleInstance(const QString& folder, const QString& name, const QString& message, int eventType,
                   QObject* parent = nullptr);
    ~SingleInstance() override;

    // The user's runtime folder, or a folder in the temp folder named after
    // the user id when there is none.
    static QString defaultFolder();

    // Takes the lock and starts listening: true when this is the one copy.
    // False when another copy holds the lock or the lock cannot be created
    // at all (then a copy is taken to be running).
    bool claim();
    // For a later copy: sends the message to the running copy, retrying until
    // the deadline while it is still starting up. Returns true when the
    // message was handed over. If the lock's holder has gone meanwhile, this
    // copy takes the lock instead and claimed() becomes true.
    bool notifyRunningCopy(std::chrono::milliseconds deadline = std::chrono::seconds(4));

    bool claimed() const { return m_claimed; }
    QString lockFileName() const;
    QString serverName() const;

    // Limits that keep a misbehaving peer from costing more than a little
    // memory and time: at most this many peers are served at once, each for
    // at most the timeout; the others wait their turn.
    static constexpr int MaxPendingPeers = 8;
    static constexpr std::chrono::milliseconds PeerTimeout{2000};
    // A lock file that names no holder counts as left by a dead copy once it
    // is this old; well within the time a later copy keeps trying.
    static constexpr std::chrono::milliseconds UnnamedLockGrace{1000};

private:
    bool tryLock();
    bool lockNamesNoHolder() const;
    bool listen();
    void acceptPeers();
    struct PeerState {
        QByteArray received;
        bool done = false; // answered or dropped
    };
    void readPeer(QLocalSocket* peer, PeerState& state);
    void dropPeer(QLocalSocket* peer, PeerState& state);

    QString m_folder;
    QString m_name;
    QByteArray m_message;
    int m_eventType = 0;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    bool m_claimed = false;
    int m_openPeers = 0;
};
