#pragma once

#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/types.h>

#include <string>
#include <vector>

// Starting whole programs on a display of their own, for the start-up and
// idle measurements.

// An Xvfb server on the first free display number, which the server picks
// itself and reports once it accepts clients; stopped on destruction.
class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool ok() const { return !m_display.empty(); }
    const std::string& error() const { return m_error; }
    // ":N"
    const std::string& display() const { return m_display; }

private:
    pid_t m_pid = -1;
    std::string m_display;
    std::string m_error;
};

// What one start of a program reads: a settings folder with the program's
// settings, a runtime folder of its own (so its single-instance lock meets no
// other copy) and an installation folder holding the help file. Removed on
// destruction.
class Sandbox {
public:
    // splashScreen is the stored "SplashScreen" value.
    explicit Sandbox(int splashScreen);

    bool ok() const { return m_ok; }
    // The current environment with the display, the platform, the two
    // folders and the start-up trace (empty: off) set.
    std::vector<std::string> environment(const std::string& display, const std::string& trace) const;

private:
    QTemporaryDir m_root;
    std::string m_config;
    std::string m_runtime;
    bool m_ok = false;
};

// A program started with its standard error on a pipe and its standard
// output discarded. Ended with SIGTERM (then SIGKILL) if still running on
// destruction.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool start(const std::string& program, const std::vector<std::string>& environment, std::string& error);
    pid_t pid() const { return m_pid; }

    // Reads standard error until a line starting with prefix arrives (true)
    // or the pipe closes or the time runs out (false). Other lines are passed
    // on to this program's standard error.
    bool waitForLine(const std::string& prefix, double timeoutSeconds, std::string& line);
    // Waits for the end, reading standard error meanwhile; usage receives
    // the process's resource usage (ru_maxrss: its peak resident memory).
    bool waitForExit(double timeoutSeconds, struct rusage& usage, int& status);
    // Lets the program run for a while, passing on what it writes.
    void pause(double seconds);
    // Whether the program is still running.
    bool running();
    // SIGTERM, then SIGKILL if it has not ended within a second.
    void stop();

private:
    // Reads what is there; false at end of file.
    bool readAvailable(int timeoutMs);
    void passOnLine(const std::string& line);

    pid_t m_pid = -1;
    int m_stderr = -1;
    std::string m_buffer;
    std::vector<std::string> m_lines;
};

// Seconds on the monotonic clock.
double Now();

// Sum of a "key: value" field of /proc/<pid>/status over all its threads,
// with one entry per thread name in perThread when given; -1 when unreadable.
long ThreadStatusSum(pid_t pid, const std::string& key, std::vector<std::pair<std::string, long>>* perThread = nullptr);
