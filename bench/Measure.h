#pragma once

// A small harness for the benchmarks: each measures its subject beside a baseline in the
// same run, several times in turn, and reports medians and their ratio.

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace tamevo::bench {

inline double seconds(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Runs subject and baseline alternately `rounds` times; returns their medians.
inline std::pair<double, double> sideBySide(const std::function<void()>& subject,
                                            const std::function<void()>& baseline, int rounds)
{
    std::vector<double> a, b;
    for (int i = 0; i < rounds; ++i) {
        a.push_back(seconds(subject));
        b.push_back(seconds(baseline));
    }
    return {median(a), median(b)};
}

inline void report(const char* name, double subject, double baseline, const char* unit = "ms",
                   double scale = 1000.0)
{
    std::printf("%-48s %10.3f %s  baseline %10.3f %s  ratio %.2f\n", name, subject * scale, unit,
                baseline * scale, unit, baseline > 0 ? subject / baseline : 0.0);
}

}  // namespace tamevo::bench
