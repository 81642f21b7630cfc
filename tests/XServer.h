#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// A private X server for the tests that run the real program: Xvfb on a
// display it chooses itself, and the X tools that look at its windows.
// Without a window manager, top-level windows are children of the root
// window and nothing gives a new window the focus.
class XServer {
public:
    XServer() = default;
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // Starts the server and waits until it takes clients. Returns why it
    // could not; empty on success.
    QString start();
    QString display() const { return m_display; }

    // Runs an X tool (xwininfo, xdotool) against this server; its standard
    // output, trimmed. exitCode is -1 when the tool crashed or hung.
    QString run(const QString& program, const QStringList& arguments, int* exitCode = nullptr) const;
    // The viewable top-level windows titled exactly so, as decimal ids; with
    // a process id, only the windows that process made.
    QStringList windowsNamed(const QString& title, qint64 pid = 0) const;
    // The window holding the input focus; empty for none or the root.
    QString focusedWindow() const;
    // Gives a window the input focus and types keys into it (xdotool names:
    // "Return", "alt+g").
    void typeInto(const QString& window, const QStringList& keys) const;

private:
    QProcess m_server;
    QString m_display;
};

// Copies of the real program (the environment variable QUAVELET_BINARY
// names it) on one X server. Copies still running when this is destroyed are
// killed.
class ProgramCopies {
public:
    explicit ProgramCopies(const XServer& server);
    ~ProgramCopies();
    ProgramCopies(const ProgramCopies&) = delete;
    ProgramCopies& operator=(const ProgramCopies&) = delete;

    // Why copies cannot be started; empty when they can.
    static QString unavailable();

    // Starts a copy with the test's environment plus these variables.
    // launcher, when given, is a command the program is run through (one
    // that changes the user, say).
    QProcess* start(const QProcessEnvironment& variables, const QString& workingDirectory = QString(),
                    const QStringList& launcher = QStringList());
    int running() const;
    void killAll();

private:
    const XServer& m_server;
    std::vector<std::unique_ptr<QProcess>> m_copies;
};
