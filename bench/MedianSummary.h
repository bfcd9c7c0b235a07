// Google Benchmark's console report, followed by one line that sets the medians of the run side by
// side (each bench says what that line holds).
#pragma once

#include <benchmark/benchmark.h>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace bench {

class MedianReporter : public benchmark::ConsoleReporter {
public:
    using Summary = std::function<void(const MedianReporter&)>;
    explicit MedianReporter(Summary summary) : m_summary(std::move(summary)) {}

    // The median time of a benchmark in its own unit; 0 when it did not run.
    double Median(const char* name) const {
        const auto it = m_median.find(name);
        return it == m_median.end() ? 0.0 : it->second;
    }
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_median[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        m_summary(*this);
    }

private:
    Summary m_summary;
    std::map<std::string, double> m_median;
};

// Runs the benchmarks the command line selects, then prints the summary; 1 for an unknown argument.
inline int RunWithMedianSummary(int& argc, char** argv, MedianReporter::Summary summary) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    MedianReporter reporter(std::move(summary));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
