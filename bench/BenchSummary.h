#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// A console reporter that also keeps what it reports: of a benchmark run with
// repetitions the median, of one run without them the run itself, so that
// two benchmarks of one program can be compared when all have run.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;

    // The kept result of the benchmark registered under this name, or nullptr
    // when it did not run (filtered out, or it reported an error).
    const Run* find(const std::string& name) const;

    // Per iteration, in seconds.
    double cpuSeconds(const std::string& name) const;
    double realSeconds(const std::string& name) const;
    // A user counter of the kept result; NaN when missing.
    double counter(const std::string& name, const std::string& counterName) const;

private:
    std::map<std::string, Run> m_kept;
};

// The verdicts of one benchmark program. They are printed at its end and,
// when the environment variable QUAVELET_BENCH_SUMMARY names a file, appended
// to that file, from which the run of all benchmarks prints one summary.
class Summary {
public:
    explicit Summary(std::string title) : m_title(std::move(title)) {}

    // measured / compared must be at least `target` (a "times cheaper"
    // ratio); `detail` names the two figures.
    void atLeast(const std::string& what, double value, double target, const std::string& unit,
                 const std::string& detail = {});
    // measured must be at most `target`.
    void atMost(const std::string& what, double value, double target, const std::string& unit,
                const std::string& detail = {});
    // A figure shown without a target.
    void note(const std::string& what, const std::string& text);
    // A measurement that could not be made.
    void error(const std::string& what, const std::string& why);

    // Prints the verdicts and appends them to the summary file. Returns the
    // process exit status: 0 unless a measurement could not be made. A missed
    // target is a finding, not a failure of the program.
    int finish();

private:
    void add(std::string line, bool isError);

    std::string m_title;
    std::vector<std::string> m_lines;
    bool m_errors = false;
};

// Google Benchmark's start with repetitions shuffled among the other
// benchmarks, unless the command line says otherwise. False when the command
// line holds arguments that Google Benchmark does not know.
bool InitializeShuffled(int argc, char** argv);

// Medians, for figures measured outside Google Benchmark.
double Median(std::vector<double> values);
// "12.3" with the given number of decimals.
std::string Fixed(double value, int decimals);
