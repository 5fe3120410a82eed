#pragma once

// Runs a program's benchmarks and prints, last, the ratio of one benchmark's real time to
// another's: the figure each bench program exists to give.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace zelto::bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            m_realTimes[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

    double realTime(const std::string &name) const
    {
        const auto it = m_realTimes.find(name);
        return it == m_realTimes.end() ? 0.0 : it->second;
    }

private:
    std::map<std::string, double> m_realTimes;
};

// Both benchmarks must report in the same time unit.
inline int RunAndPrintRatio(int argc, char **argv, const std::string &subject, const std::string &reference,
                            const char *label)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double subjectTime = reporter.realTime(subject);
    const double referenceTime = reporter.realTime(reference);
    if (subjectTime <= 0 || referenceTime <= 0) {
        std::fprintf(stderr, "ratio %s: %s or %s did not run\n", label, subject.c_str(), reference.c_str());
        return 1;
    }
    std::printf("RATIO %s: %.3f (%s %.3f / %s %.3f)\n", label, subjectTime / referenceTime, subject.c_str(),
                subjectTime, reference.c_str(), referenceTime);
    return 0;
}

} // namespace zelto::bench
