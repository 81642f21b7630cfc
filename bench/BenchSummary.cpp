#include "BenchSummary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>

void CollectingReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.error_occurred)
            continue;
        const std::string& name = run.run_name.function_name;
        if (run.run_type == Run::RT_Aggregate) {
            if (run.aggregate_name == "median")
                m_kept[name] = run;
        } else if (run.repetitions <= 1) {
            m_kept[name] = run;
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

const benchmark::BenchmarkReporter::Run* CollectingReporter::find(const std::string& name) const {
    const auto found = m_kept.find(name);
    return found == m_kept.end() ? nullptr : &found->second;
}

double CollectingReporter::cpuSeconds(const std::string& name) const {
    const Run* run = find(name);
    if (!run)
        return std::numeric_limits<double>::quiet_NaN();
    return run->GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run->time_unit);
}

double CollectingReporter::realSeconds(const std::string& name) const {
    const Run* run = find(name);
    if (!run)
        return std::numeric_limits<double>::quiet_NaN();
    return run->GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run->time_unit);
}

double CollectingReporter::counter(const std::string& name, const std::string& counterName) const {
    const Run* run = find(name);
    if (!run)
        return std::numeric_limits<double>::quiet_NaN();
    const auto found = run->counters.find(counterName);
    return found == run->counters.end() ? std::numeric_limits<double>::quiet_NaN() : found->second.value;
}

std::string Fixed(double value, int decimals) {
    std::ostringstream out;
    out.setf(std::ios::fixed);
    out.precision(decimals);
    out << value;
    return out.str();
}

double Median(std::vector<double> values) {
    if (values.empty())
        return std::numeric_limits<double>::quiet_NaN();
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

namespace {

std::string Decimals(double value) {
    const double magnitude = std::fabs(value);
    return Fixed(value, magnitude >= 100 ? 0 : magnitude >= 10 ? 1 : 2);
}

} // namespace

void Summary::atLeast(const std::string& what, double value, double target, const std::string& unit,
                      const std::string& detail) {
    if (!std::isfinite(value)) {
        error(what, "no result");
        return;
    }
    const bool pass = value >= target;
    add(std::string(pass ? "PASS  " : "FAIL  ") + what + ": " + Decimals(value) + unit + ", target at least " +
            Decimals(target) + unit + (detail.empty() ? "" : "\n        " + detail),
        false);
}

void Summary::atMost(const std::string& what, double value, double target, const std::string& unit,
                     const std::string& detail) {
    if (!std::isfinite(value)) {
        error(what, "no result");
        return;
    }
    const bool pass = value <= target;
    add(std::string(pass ? "PASS  " : "FAIL  ") + what + ": " + Decimals(value) + unit + ", target at most " +
            Decimals(target) + unit + (detail.empty() ? "" : "\n        " + detail),
        false);
}

void Summary::note(const std::string& what, const std::string& text) { add("info  " + what + ": " + text, false); }

void Summary::error(const std::string& what, const std::string& why) {
    add("ERROR " + what + ": " + why, true);
}

void Summary::add(std::string line, bool isError) {
    m_lines.push_back(std::move(line));
    m_errors = m_errors || isError;
}

int Summary::finish() {
    std::ostringstream text;
    text << "== " << m_title << " ==\n";
    for (const std::string& line : m_lines)
        text << line << '\n';
    std::cout << '\n' << text.str() << std::flush;
    if (const char* path = std::getenv("QUAVELET_BENCH_SUMMARY"); path && *path) {
        std::ofstream file(path, std::ios::app);
        file << text.str();
    }
    return m_errors ? 1 : 0;
}

bool InitializeShuffled(int argc, char** argv) {
    std::vector<char*> arguments(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    bool interleaveGiven = false;
    for (int i = 1; i < argc; ++i)
        interleaveGiven = interleaveGiven || std::strstr(argv[i], "random_interleaving") != nullptr;
    if (!interleaveGiven)
        arguments.insert(arguments.begin() + 1, interleave.data());
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    benchmark::Initialize(&count, arguments.data());
    return !benchmark::ReportUnrecognizedArguments(count, arguments.data());
}
