#pragma once

#include <QObject>

class QSocketNotifier;

// The signals by which the system or the user ends a program from outside:
// SIGTERM (a logout, `kill`), SIGINT (Ctrl+C in a terminal) and SIGHUP (that
// terminal closing). Left to their default action they end the process on
// the spot, before it writes its settings. While an object of this class
// lives, each of them is recorded instead and reported through the event
// loop, so that the program can end through its own end steps.
//
// The signal handler itself only records the signal and writes one byte to a
// pipe; a socket notifier on the other end turns that into the Qt signal
// terminationRequested. A signal that was ignored when the program started
// (nohup, a background job of a script) stays ignored. Should the program
// not end within EndGraceSeconds of the first signal (stuck outside its
// event loop), SIGALRM ends it by that signal's default action after all.
// One object at a time.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    // Puts back the actions the signals had before.
    ~TerminationSignals() override;

    static constexpr unsigned EndGraceSeconds = 3;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // The first of the signals that arrived while an object lived; 0 when
    // none did. It stays set after the object is gone.
    static int received();

    // Ends the process with the default action of the signal received, so
    // that whoever started the program sees that signal as its end (a shell
    // reports 128 + its number). Returns only when no signal was received.
    static void endByReceivedSignal();

Q_SIGNALS:
    // Delivered by the event loop, once per arrival (repeats may merge).
    void terminationRequested(int signal);

private:
    void drainPipe();

    int m_readEnd = -1;
    bool m_watchdog = false;
    QSocketNotifier* m_notifier = nullptr;
};
