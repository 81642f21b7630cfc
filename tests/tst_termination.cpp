#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include <csignal>

// The termination signals reach the program through its event loop; one
// that was ignored at start stays ignored; the old actions come back.
class TestTermination : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void signalsReachEventLoop_data();
    void signalsReachEventLoop();
};

namespace {
using Handler = void (*)(int);

Handler currentAction(int signal) {
    struct sigaction action {};
    ::sigaction(signal, nullptr, &action);
    return action.sa_handler;
}
} // namespace

void TestTermination::signalsReachEventLoop_data() {
    QTest::addColumn<QList<int>>("raised");
    QTest::addColumn<int>("ignoredAtStart"); // 0: none
    QTest::addColumn<int>("expected");       // the signal reported; 0: none

    QTest::newRow("SIGTERM") << QList<int>{SIGTERM} << 0 << int(SIGTERM);
    QTest::newRow("SIGINT") << QList<int>{SIGINT} << 0 << int(SIGINT);
    QTest::newRow("SIGHUP") << QList<int>{SIGHUP} << 0 << int(SIGHUP);
    QTest::newRow("the first of two wins") << QList<int>{SIGINT, SIGTERM} << 0 << int(SIGINT);
    // Started with nohup: a closing terminal must not end the program.
    QTest::newRow("SIGHUP ignored at start") << QList<int>{SIGHUP} << int(SIGHUP) << 0;
}

void TestTermination::signalsReachEventLoop() {
    QFETCH(QList<int>, raised);
    QFETCH(int, ignoredAtStart);
    QFETCH(int, expected);

    const Handler before = ignoredAtStart ? std::signal(ignoredAtStart, SIG_IGN) : nullptr;
    QList<Handler> actionsBefore;
    for (const int signal : raised)
        actionsBefore << currentAction(signal);
    {
        TerminationSignals termination;
        QSignalSpy requests(&termination, &TerminationSignals::terminationRequested);
        for (const int signal : raised)
            QCOMPARE(std::raise(signal), 0);
        // Nothing is reported from inside the handler.
        QCOMPARE(requests.size(), 0);
        QCOMPARE(TerminationSignals::received(), expected);
        if (expected) {
            QTRY_VERIFY(!requests.isEmpty());
            QCOMPARE(requests.first().first().toInt(), expected);
        } else {
            QCoreApplication::processEvents();
            QCOMPARE(requests.size(), 0);
        }
    }
    for (qsizetype i = 0; i < raised.size(); ++i)
        QVERIFY(currentAction(raised[i]) == actionsBefore[i]);
    QCOMPARE(TerminationSignals::received(), expected);
    if (ignoredAtStart)
        std::signal(ignoredAtStart, before);
}

QTEST_GUILESS_MAIN(TestTermination)
#include "tst_termination.moc"
