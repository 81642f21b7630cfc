// Start-up time and peak memory of the program against a bare Qt Widgets
// window of the same shape, both started again and again on one Xvfb display
// that this benchmark starts itself, in shuffled order.
//
// One start: a fresh settings folder (the About dialog turned off, the
// installation folder pointing at a folder with the help file) and runtime
// folder; the clock starts just before the process is spawned and stops when
// it reports its first painted frame (the start-up trace), after which it
// quits by itself. Its peak resident memory is the kernel's record of the
// finished process (ru_maxrss, the same figure as VmHWM). The CPU column of
// Google Benchmark's table is this launcher's own; program_cpu_ms is the
// started program's, to its end.
#include "BenchSummary.h"
#include "ShellHarness.h"

#include <sys/wait.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<XvfbServer> server;

struct Start {
    bool ok = false;
    std::string error;
    double firstPaintSeconds = 0;
    double peakMiB = 0;
    double cpuMs = 0; // the program's own, user and system, to its end
};

Start StartOnce(const std::string& program) {
    Start result;
    Sandbox sandbox(0);
    if (!sandbox.ok()) {
        result.error = "could not prepare the settings and runtime folders";
        return result;
    }
    const std::vector<std::string> environment = sandbox.environment(server->display(), "quit");
    ChildProcess child;
    const double spawned = Now();
    if (!child.start(program, environment, result.error))
        return result;
    std::string line;
    if (!child.waitForLine("first paint", 60.0, line)) {
        result.error = program + " reported no first paint (is the start-up trace wired?)";
        return result;
    }
    result.firstPaintSeconds = Now() - spawned;
    struct rusage usage{};
    int status = 0;
    if (!child.waitForExit(30.0, usage, status)) {
        result.error = program + " did not quit after its first paint";
        return result;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        result.error = program + " ended with status " + std::to_string(status);
        return result;
    }
    result.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    result.cpuMs = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                   static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    result.ok = true;
    return result;
}

void StartUp(benchmark::State& state, const std::string& program) {
    for (auto _ : state) {
        const Start start = StartOnce(program);
        if (!start.ok) {
            state.SkipWithError(start.error.c_str());
            break;
        }
        state.SetIterationTime(start.firstPaintSeconds);
        state.counters["peak_MiB"] = start.peakMiB;
        state.counters["program_cpu_ms"] = start.cpuMs;
    }
}

constexpr int Repetitions = 21;
const std::string BareName = "start-up: bare window";
const std::string ProgramName = "start-up: quavelet";

} // namespace

int main(int argc, char** argv) {
    if (!InitializeShuffled(argc, argv))
        return 2;

    Summary summary("Start-up and memory against a bare Qt window (medians of " + std::to_string(Repetitions) +
                    " shuffled starts each)");
    server = std::make_unique<XvfbServer>();
    if (!server->ok()) {
        summary.error("start-up", server->error());
        return summary.finish();
    }
    std::cout << "Xvfb display " << server->display() << '\n';

    // The first starts fill the file system cache and the font caches; they
    // are not counted.
    for (const char* program : {QUAVELET_BARE_WINDOW, QUAVELET_PROGRAM, QUAVELET_BARE_WINDOW, QUAVELET_PROGRAM}) {
        const Start start = StartOnce(program);
        if (!start.ok) {
            summary.error("start-up", start.error);
            return summary.finish();
        }
    }

    for (const auto& [name, program] : {std::pair{BareName, std::string(QUAVELET_BARE_WINDOW)},
                                        std::pair{ProgramName, std::string(QUAVELET_PROGRAM)}}) {
        benchmark::RegisterBenchmark(name.c_str(), StartUp, program)
            ->Iterations(1)
            ->Repetitions(Repetitions)
            ->UseManualTime()
            ->DisplayAggregatesOnly(true)
            ->Unit(benchmark::kMillisecond);
    }
    CollectingReporter results;
    benchmark::RunSpecifiedBenchmarks(&results);
    benchmark::Shutdown();
    server.reset();

    const double bareTime = results.realSeconds(BareName) * 1e3;
    const double programTime = results.realSeconds(ProgramName) * 1e3;
    const double bareMemory = results.counter(BareName, "peak_MiB");
    const double programMemory = results.counter(ProgramName, "peak_MiB");
    summary.atMost("start-up to first paint, quavelet / bare window", programTime / bareTime, 1.25, "x",
                   Fixed(programTime, 1) + " ms / " + Fixed(bareTime, 1) + " ms");
    summary.atMost("peak resident memory, quavelet / bare window", programMemory / bareMemory, 1.15, "x",
                   Fixed(programMemory, 1) + " MiB / " + Fixed(bareMemory, 1) + " MiB");
    return summary.finish();
}
