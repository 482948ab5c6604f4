#pragma once

// A small harness for the benchmarks: each measures its subject beside a baseline in the
// same run, several times in turn, and reports medians and their ratio.

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
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

// A memory figure of the process from /proc/self/status, in MB.
inline double statusMegabytes(const QByteArray& key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(key.size()).trimmed().split(' ').value(0).toDouble() / 1024;
        }
    }
    return 0;
}

// The peak resident memory since the last reset, and the resident memory now.
inline double peakMegabytes()
{
    return statusMegabytes("VmHWM:");
}

inline double residentMegabytes()
{
    return statusMegabytes("VmRSS:");
}

inline void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) {
        clear.write("5");
    }
}

}  // namespace tamevo::bench
