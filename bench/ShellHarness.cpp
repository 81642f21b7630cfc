#include "ShellHarness.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

double Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

namespace {

std::string SystemError(const std::string& what, int error) { return what + ": " + std::strerror(error); }

// argv or envp for posix_spawn: pointers into the strings, ending in null.
std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (std::string& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Waits for a process's end for up to timeoutSeconds; true when it ended.
bool Reap(pid_t pid, double timeoutSeconds, int& status, struct rusage* usage) {
    const double deadline = Now() + timeoutSeconds;
    for (;;) {
        struct rusage ignored{};
        const pid_t done = wait4(pid, &status, WNOHANG, usage ? usage : &ignored);
        if (done == pid || (done < 0 && errno == ECHILD))
            return true;
        if (Now() >= deadline)
            return false;
        const timespec pause{0, 5'000'000};
        nanosleep(&pause, nullptr);
    }
}

void Terminate(pid_t pid) {
    int status = 0;
    kill(pid, SIGTERM);
    if (!Reap(pid, 1.0, status, nullptr)) {
        kill(pid, SIGKILL);
        Reap(pid, 5.0, status, nullptr);
    }
}

} // namespace

// --- XvfbServer ---------------------------------------------------------------

XvfbServer::XvfbServer() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        m_error = SystemError("pipe", errno);
        return;
    }
    // Only the write end goes to the server, which writes the display number
    // into it.
    fcntl(fds[1], F_SETFD, 0);
    std::vector<std::string> args = {"Xvfb", "-displayfd", std::to_string(fds[1]), "-nolisten", "tcp",
                                      "-screen", "0", "1280x1024x24"};
    std::vector<char*> argv = Pointers(args);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&m_pid, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        m_pid = -1;
        m_error = SystemError("starting Xvfb (scripts/install-deps installs the package xvfb)", spawned);
        close(fds[0]);
        return;
    }
    std::string number;
    const double deadline = Now() + 15.0;
    while (number.find('\n') == std::string::npos && Now() < deadline) {
        pollfd watched{fds[0], POLLIN, 0};
        if (poll(&watched, 1, 100) <= 0)
            continue;
        char chunk[32];
        const ssize_t got = read(fds[0], chunk, sizeof chunk);
        if (got <= 0)
            break;
        number.append(chunk, static_cast<std::size_t>(got));
    }
    close(fds[0]);
    if (number.find('\n') == std::string::npos) {
        m_error = "Xvfb did not report a display number";
        Terminate(m_pid);
        m_pid = -1;
        return;
    }
    char display[16];
    std::snprintf(display, sizeof display, ":%d", std::atoi(number.c_str()));
    m_display = display;
}

XvfbServer::~XvfbServer() {
    if (m_pid > 0)
        Terminate(m_pid);
}

// --- Sandbox ------------------------------------------------------------------

Sandbox::Sandbox(int splashScreen) : m_root(QDir::tempPath() + QStringLiteral("/quavelet-bench-XXXXXX")) {
    if (!m_root.isValid())
        return;
    const QDir root(m_root.path());
    const QString config = root.filePath(QStringLiteral("config"));
    const QString runtime = root.filePath(QStringLiteral("runtime"));
    const QString install = root.filePath(QStringLiteral("install"));
    if (!root.mkpath(config) || !root.mkpath(runtime) || !root.mkpath(install))
        return;
    // A runtime folder must be the user's alone, or Qt refuses it.
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!QFile::copy(QStringLiteral(QUAVELET_HELP_FILE), QDir(install).filePath(QStringLiteral("quavelet.html"))))
        return;
    {
        // The file the program's own settings store reads in this folder.
        QSettings settings(config + QStringLiteral("/Oblimo Software/Quavelet.conf"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Directory"), install);
        settings.setValue(QStringLiteral("SplashScreen"), splashScreen);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return;
    }
    m_config = config.toStdString();
    m_runtime = runtime.toStdString();
    m_ok = true;
}

std::vector<std::string> Sandbox::environment(const std::string& display, const std::string& trace) const {
    static const std::vector<std::string> replaced = {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=",
                                                      "XDG_CONFIG_HOME=", "XDG_RUNTIME_DIR=",
                                                      "QUAVELET_STARTUP_TRACE=", "XAUTHORITY="};
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        const std::string variable = *entry;
        bool keep = true;
        for (const std::string& name : replaced)
            keep = keep && variable.compare(0, name.size(), name) != 0;
        if (keep)
            result.push_back(variable);
    }
    result.push_back("DISPLAY=" + display);
    result.push_back("QT_QPA_PLATFORM=xcb");
    result.push_back("XDG_CONFIG_HOME=" + m_config);
    result.push_back("XDG_RUNTIME_DIR=" + m_runtime);
    if (!trace.empty())
        result.push_back("QUAVELET_STARTUP_TRACE=" + trace);
    return result;
}

// --- ChildProcess -------------------------------------------------------------

ChildProcess::~ChildProcess() {
    stop();
    if (m_stderr >= 0)
        close(m_stderr);
}

bool ChildProcess::start(const std::string& program, const std::vector<std::string>& environment,
                         std::string& error) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        error = SystemError("pipe", errno);
        return false;
    }
    std::vector<std::string> args = {program};
    std::vector<std::string> env = environment;
    std::vector<char*> argv = Pointers(args);
    std::vector<char*> envp = Pointers(env);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
    const int spawned = posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        m_pid = -1;
        close(fds[0]);
        error = SystemError("starting " + program, spawned);
        return false;
    }
    m_stderr = fds[0];
    fcntl(m_stderr, F_SETFL, O_NONBLOCK);
    return true;
}

bool ChildProcess::readAvailable(int timeoutMs) {
    if (m_stderr < 0)
        return false;
    pollfd watched{m_stderr, POLLIN, 0};
    if (poll(&watched, 1, timeoutMs) <= 0)
        return true;
    char chunk[4096];
    const ssize_t got = read(m_stderr, chunk, sizeof chunk);
    if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR)) {
        close(m_stderr);
        m_stderr = -1;
        if (!m_buffer.empty()) {
            m_lines.push_back(m_buffer);
            m_buffer.clear();
        }
        return false;
    }
    if (got > 0)
        m_buffer.append(chunk, static_cast<std::size_t>(got));
    for (std::size_t end = m_buffer.find('\n'); end != std::string::npos; end = m_buffer.find('\n')) {
        m_lines.push_back(m_buffer.substr(0, end));
        m_buffer.erase(0, end + 1);
    }
    return true;
}

void ChildProcess::passOnLine(const std::string& line) { std::fprintf(stderr, "  [program] %s\n", line.c_str()); }

bool ChildProcess::waitForLine(const std::string& prefix, double timeoutSeconds, std::string& line) {
    const double deadline = Now() + timeoutSeconds;
    for (;;) {
        while (!m_lines.empty()) {
            std::string next = m_lines.front();
            m_lines.erase(m_lines.begin());
            if (next.compare(0, prefix.size(), prefix) == 0) {
                line = next;
                return true;
            }
            passOnLine(next);
        }
        const double left = deadline - Now();
        if (left <= 0)
            return false;
        if (!readAvailable(static_cast<int>(left * 1000) + 1) && m_lines.empty())
            return false;
    }
}

bool ChildProcess::waitForExit(double timeoutSeconds, struct rusage& usage, int& status) {
    const double deadline = Now() + timeoutSeconds;
    while (m_stderr >= 0 && Now() < deadline)
        readAvailable(50);
    for (const std::string& line : m_lines)
        passOnLine(line);
    m_lines.clear();
    if (m_pid <= 0 || !Reap(m_pid, deadline - Now(), status, &usage))
        return false;
    m_pid = -1;
    return true;
}

void ChildProcess::pause(double seconds) {
    const double deadline = Now() + seconds;
    for (double left = seconds; left > 0; left = deadline - Now()) {
        if (m_stderr >= 0)
            readAvailable(static_cast<int>(left * 1000) + 1);
        else {
            const timespec tick{0, 10'000'000};
            nanosleep(&tick, nullptr);
        }
        for (const std::string& line : m_lines)
            passOnLine(line);
        m_lines.clear();
    }
}

bool ChildProcess::running() {
    if (m_pid <= 0)
        return false;
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_pid = -1;
        return false;
    }
    return true;
}

void ChildProcess::stop() {
    if (m_pid > 0)
        Terminate(m_pid);
    m_pid = -1;
}

// --- /proc ----------------------------------------------------------------------

long ThreadStatusSum(pid_t pid, const std::string& key, std::vector<std::pair<std::string, long>>* perThread) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (!dir)
        return -1;
    long sum = 0;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string task = tasks + "/" + entry->d_name;
        std::ifstream status(task + "/status");
        std::string line;
        long value = -1;
        while (std::getline(status, line))
            if (line.compare(0, key.size() + 1, key + ":") == 0)
                value = std::stol(line.substr(key.size() + 1));
        if (value < 0)
            continue;
        sum += value;
        if (perThread) {
            std::ifstream comm(task + "/comm");
            std::string name;
            std::getline(comm, name);
            perThread->emplace_back(name + " (" + entry->d_name + ")", value);
        }
    }
    closedir(dir);
    return sum;
}
