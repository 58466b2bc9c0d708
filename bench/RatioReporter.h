#pragma once
// The benchmarks' targets are ratios against a reference measured in the same run: this
// reporter keeps each benchmark's time per iteration, and PrintRatio prints one summary line.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Seconds per iteration by benchmark name (without arguments).
    std::map<std::string, double> Seconds;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
                Seconds[run.run_name.function_name] =
                    run.real_accumulated_time / static_cast<double>(run.iterations);
        ConsoleReporter::ReportRuns(runs);
    }

    // "label: 0.83 (target)" with the time of Numerator over the time of Denominator; nothing
    // when either did not run (a filtered run).
    void PrintRatio(const char* label, const std::string& numerator, const std::string& denominator,
                    const char* target) const {
        const auto n = Seconds.find(numerator), d = Seconds.find(denominator);
        if (n == Seconds.end() || d == Seconds.end() || d->second <= 0)
            return;
        std::printf("%s: %.2f (%s)\n", label, n->second / d->second, target);
    }
};

}  // namespace bench
