// How often the program wakes up when it has nothing to do: started on an
// Xvfb display of its own with the About dialog turned off and no quiz, left
// to settle, then watched for a while. Every time a thread of the process
// goes back to sleep the kernel counts a voluntary context switch
// (/proc/<pid>/task/<tid>/status), so their increase over the watch is the
// number of wake-ups. The About dialog's promotional line changes every 4
// seconds from its creation on, also while the dialog is hidden, so one
// wake-up per 4 seconds is expected.
#include "BenchSummary.h"
#include "ShellHarness.h"

#include <cmath>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr double SettleSeconds = 2.0;
constexpr double WatchSeconds = 20.0;
constexpr double FlashPeriodSeconds = 4.0;

using PerThread = std::vector<std::pair<std::string, long>>;

} // namespace

int main() {
    Summary summary("Idle wake-ups (About dialog closed, no quiz, " + Fixed(WatchSeconds, 0) + " s watched)");
    const std::string what = "idle wake-ups of quavelet";

    XvfbServer server;
    if (!server.ok()) {
        summary.error(what, server.error());
        return summary.finish();
    }
    Sandbox sandbox(0);
    if (!sandbox.ok()) {
        summary.error(what, "could not prepare the settings and runtime folders");
        return summary.finish();
    }
    ChildProcess child;
    std::string error;
    // The trace only reports the first paint; the program keeps running.
    if (!child.start(QUAVELET_PROGRAM, sandbox.environment(server.display(), "report"), error)) {
        summary.error(what, error);
        return summary.finish();
    }
    std::string line;
    if (!child.waitForLine("first paint", 60.0, line)) {
        summary.error(what, "the program reported no first paint (is the start-up trace wired?)");
        return summary.finish();
    }
    child.pause(SettleSeconds);

    PerThread before;
    PerThread after;
    const long wakesBefore = ThreadStatusSum(child.pid(), "voluntary_ctxt_switches", &before);
    const double watchStart = Now();
    child.pause(WatchSeconds);
    const double watched = Now() - watchStart;
    const long wakesAfter = ThreadStatusSum(child.pid(), "voluntary_ctxt_switches", &after);
    const bool stillRunning = child.running();
    child.stop();
    if (!stillRunning || wakesBefore < 0 || wakesAfter < 0) {
        summary.error(what, "the program ended while it was watched");
        return summary.finish();
    }

    std::map<std::string, long> start(before.begin(), before.end());
    std::string threads;
    for (const auto& [thread, count] : after) {
        const auto found = start.find(thread);
        const long woke = count - (found == start.end() ? 0 : found->second);
        threads += (threads.empty() ? "" : ", ") + thread + " " + std::to_string(woke);
    }
    const long wakes = wakesAfter - wakesBefore;
    const double perSecond = static_cast<double>(wakes) / watched;
    // The flash timer's ticks in the watch, and one more for the case that
    // one falls right on its edge.
    const double allowed = (std::floor(watched / FlashPeriodSeconds) + 1) / watched;
    summary.atMost(what, perSecond, allowed, " per s",
                   std::to_string(wakes) + " wake-ups in " + Fixed(watched, 1) + " s, expected one per " +
                       Fixed(FlashPeriodSeconds, 0) + " s; by thread: " + threads);
    return summary.finish();
}
