#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr std::array<int, 3> Caught = {SIGTERM, SIGINT, SIGHUP};

// Shared with the signal handler, which may read and write only these.
volatile std::sig_atomic_t receivedSignal = 0;
volatile std::sig_atomic_t writeEnd = -1;

// The actions in place before, and whether we replaced each one.
std::array<struct sigaction, Caught.size()> previousActions{};
std::array<bool, Caught.size()> replaced{};
struct sigaction previousAlarmAction {};

extern "C" void onTerminationSignal(int signal) {
    const int savedErrno = errno;
    if (receivedSignal == 0) {
        receivedSignal = signal;
        // A program stuck outside its event loop would never end now.
        ::alarm(TerminationSignals::EndGraceSeconds);
    }
    const char byte = 1;
    // A full pipe already holds a wake-up; nothing is lost by dropping this.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = savedErrno;
}

// The end took too long: end as the signal would have ended it at once.
extern "C" void onEndOverdue(int) {
    ::signal(receivedSignal, SIG_DFL);
    ::raise(receivedSignal);
}
} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    Q_ASSERT(writeEnd == -1);
    receivedSignal = 0;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("Cannot create a pipe for termination signals: ending by a signal will not save the settings.");
        return;
    }
    m_readEnd = ends[0];
    writeEnd = ends[1];
    m_notifier = new QSocketNotifier(m_readEnd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::drainPipe);

    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    // SA_RESTART: system calls that a signal interrupts go on by themselves.
    action.sa_flags = SA_RESTART;
    // While one is being recorded, the others wait, so the first one wins.
    sigemptyset(&action.sa_mask);
    for (const int signal : Caught)
        sigaddset(&action.sa_mask, signal);
    struct sigaction overdue {};
    overdue.sa_handler = onEndOverdue;
    sigemptyset(&overdue.sa_mask);
    m_watchdog = ::sigaction(SIGALRM, &overdue, &previousAlarmAction) == 0;
    for (std::size_t i = 0; i < Caught.size(); ++i) {
        if (::sigaction(Caught[i], nullptr, &previousActions[i]) != 0)
            continue;
        // Whoever started us asked for this signal to be ignored.
        if (previousActions[i].sa_handler == SIG_IGN)
            continue;
        replaced[i] = ::sigaction(Caught[i], &action, nullptr) == 0;
    }
}

TerminationSignals::~TerminationSignals() {
    for (std::size_t i = 0; i < Caught.size(); ++i) {
        if (replaced[i])
            ::sigaction(Caught[i], &previousActions[i], nullptr);
        replaced[i] = false;
    }
    // The end came in time.
    if (m_watchdog) {
        ::alarm(0);
        ::sigaction(SIGALRM, &previousAlarmAction, nullptr);
    }
    if (m_readEnd == -1)
        return;
    // No handler can run any more: the pipe can go.
    ::close(writeEnd);
    writeEnd = -1;
    ::close(m_readEnd);
}

int TerminationSignals::received() { return receivedSignal; }

void TerminationSignals::endByReceivedSignal() {
    const int signal = receivedSignal;
    if (signal == 0)
        return;
    std::signal(signal, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
    std::raise(signal);
}

void TerminationSignals::drainPipe() {
    char bytes[64];
    while (::read(m_readEnd, bytes, sizeof bytes) > 0) {
    }
    if (const int signal = receivedSignal)
        Q_EMIT terminationRequested(signal);
}
