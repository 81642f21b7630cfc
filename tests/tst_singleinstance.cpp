#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

// The one-copy rule within one process: two SingleInstance objects on one
// folder behave like two copies of the program.
class TestSingleInstance : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void secondCopyBringsFirstForward();
    void lockLeftByDeadCopyIsCleared();
    void lockNamingNoHolder_data();
    void lockNamingNoHolder();
    void lockThatCannotBeCreatedMeansRunning();
    void secondCopyTakesOverWhenFirstEnds();
    void badPeersAreDropped_data();
    void badPeersAreDropped();
    void realCopyWaitsBehindSilentPeers();

private:
    std::unique_ptr<SingleInstance> copy() const {
        return std::make_unique<SingleInstance>(m_folder->path(), QStringLiteral("QV32"), Message, m_eventType);
    }
    static const QString Message;

    std::unique_ptr<QTemporaryDir> m_folder;
    int m_eventType = 0;
    int m_activations = 0;

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == m_eventType)
            ++m_activations;
        return false;
    }
};

const QString TestSingleInstance::Message = QStringLiteral("Check for Quavelet instance");

void TestSingleInstance::initTestCase() {
    m_eventType = QEvent::registerEventType();
    qApp->installEventFilter(this);
}

void TestSingleInstance::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_activations = 0;
}

void TestSingleInstance::cleanup() { m_folder.reset(); }

void TestSingleInstance::secondCopyBringsFirstForward() {
    auto first = copy();
    QVERIFY(first->claim());
    auto second = copy();
    QVERIFY(!second->claim());
    QVERIFY(second->notifyRunningCopy(std::chrono::seconds(3)));
    QVERIFY(!second->claimed());
    // The activation arrives through the event loop, once.
    QCOMPARE(m_activations, 0);
    QTRY_COMPARE(m_activations, 1);
    QTest::qWait(50);
    QCOMPARE(m_activations, 1);
}

// A copy killed with SIGKILL leaves its lock file and its socket behind.
void TestSingleInstance::lockLeftByDeadCopyIsCleared() {
    // The pid of a process that has ended.
    QProcess sleeper;
    sleeper.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    QVERIFY(sleeper.waitForStarted(5000));
    const qint64 pid = sleeper.processId();
    sleeper.kill();
    QVERIFY(sleeper.waitForFinished(5000));

    auto probe = copy();
    QFile lock(probe->lockFileName());
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(pid) + "\nquavelet\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    QFile socket(probe->serverName());
    QVERIFY(socket.open(QIODevice::WriteOnly));
    socket.close();

    QVERIFY(probe->claim());
    auto second = copy();
    QVERIFY(!second->claim());
    QVERIFY(second->notifyRunningCopy(std::chrono::seconds(3)));
    QTRY_COMPARE(m_activations, 1);
}

void TestSingleInstance::lockNamingNoHolder_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("age");            // seconds since the file was written; negative: in the future
    QTest::addColumn<bool>("heldByLiveCopy"); // the file of a running copy, damaged under it
    QTest::addColumn<bool>("claimedAtOnce");

    const QByteArray garbage("\x01\x02 not a lock \xff\n", 17);
    // The holder died between creating the file and writing it.
    QTest::newRow("empty, left long ago") << QByteArray() << 3600 << false << true;
    QTest::newRow("garbage, left long ago") << garbage << 3600 << false << true;
    QTest::newRow("clock set back since") << QByteArray() << -3600 << false << true;
    // A holder may be writing it at this moment: it gets its time.
    QTest::newRow("empty, just written") << QByteArray() << 0 << false << false;
    QTest::newRow("damaged under a living copy") << garbage << 3600 << true << false;
}

// A lock file that names no holder does not keep later copies out for good;
// the lock of a living copy is never taken from it.
void TestSingleInstance::lockNamingNoHolder() {
    QFETCH(QByteArray, content);
    QFETCH(int, age);
    QFETCH(bool, heldByLiveCopy);
    QFETCH(bool, claimedAtOnce);

    std::unique_ptr<SingleInstance> holder;
    if (heldByLiveCopy) {
        holder = copy();
        QVERIFY(holder->claim());
    }
    auto later = copy();
    QFile lock(later->lockFileName());
    QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(lock.write(content), content.size());
    QVERIFY(lock.flush());
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-age), QFileDevice::FileModificationTime));
    lock.close();

    QCOMPARE(later->claim(), claimedAtOnce);
    if (claimedAtOnce)
        return;
    const bool told = later->notifyRunningCopy(SingleInstance::UnnamedLockGrace + std::chrono::seconds(3));
    QCOMPARE(told, heldByLiveCopy);
    QCOMPARE(later->claimed(), !heldByLiveCopy);
    if (heldByLiveCopy) {
        QVERIFY(QFile::exists(later->lockFileName()));
        QTRY_COMPARE(m_activations, 1);
    }
}

void TestSingleInstance::lockThatCannotBeCreatedMeansRunning() {
    SingleInstance nowhere(m_folder->path() + QStringLiteral("/missing/folder"), QStringLiteral("QV32"), Message,
                           m_eventType);
    QVERIFY(!nowhere.claim());
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!nowhere.notifyRunningCopy(std::chrono::milliseconds(600)));
    QVERIFY2(clock.elapsed() < 3000, "a copy that reaches nobody still ends soon");
    QVERIFY(!nowhere.claimed());
}

void TestSingleInstance::secondCopyTakesOverWhenFirstEnds() {
    auto first = copy();
    QVERIFY(first->claim());
    auto second = copy();
    QVERIFY(!second->claim());
    first.reset();
    QVERIFY(!second->notifyRunningCopy(std::chrono::seconds(2)));
    QVERIFY(second->claimed());
    auto third = copy();
    QVERIFY(!third->claim());
    QVERIFY(third->notifyRunningCopy(std::chrono::seconds(3)));
    QTRY_COMPARE(m_activations, 1);
}

void TestSingleInstance::badPeersAreDropped_data() {
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("garbage") << QByteArray("\x01\x02garbage\xff\n");
    QTest::newRow("10 MB") << QByteArray(10 * 1024 * 1024, 'C');
    QTest::newRow("message cut short") << Message.toUtf8().left(10);
    QTest::newRow("connects and never writes") << QByteArray();
}

// Whatever a peer sends, or does not send, the server drops it within its
// timeout without an activation, and still answers the next real copy.
void TestSingleInstance::badPeersAreDropped() {
    QFETCH(QByteArray, sent);
    auto first = copy();
    QVERIFY(first->claim());

    QLocalSocket peer;
    peer.connectToServer(first->serverName());
    QVERIFY(peer.waitForConnected(2000));
    peer.write(sent);
    const int deadline = int(SingleInstance::PeerTimeout.count()) + 3000;
    QTRY_VERIFY_WITH_TIMEOUT(peer.state() == QLocalSocket::UnconnectedState, deadline);
    QCOMPARE(m_activations, 0);

    auto second = copy();
    QVERIFY(second->notifyRunningCopy(std::chrono::seconds(3)));
    QTRY_COMPARE(m_activations, 1);
}

// More silent peers than are served at once: a real copy behind them has
// written its message and gone; it is read once a place is free.
void TestSingleInstance::realCopyWaitsBehindSilentPeers() {
    auto first = copy();
    QVERIFY(first->claim());
    std::vector<std::unique_ptr<QLocalSocket>> crowd;
    for (int i = 0; i < SingleInstance::MaxPendingPeers + 1; ++i) {
        auto& peer = crowd.emplace_back(std::make_unique<QLocalSocket>());
        peer->connectToServer(first->serverName());
        QVERIFY(peer->waitForConnected(2000));
    }
    QCoreApplication::processEvents();

    auto second = copy();
    QVERIFY(second->notifyRunningCopy(std::chrono::seconds(3)));
    second.reset();
    const int deadline = 2 * int(SingleInstance::PeerTimeout.count()) + 3000;
    QTRY_COMPARE_WITH_TIMEOUT(m_activations, 1, deadline);
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
