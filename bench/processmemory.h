#pragma once

// The benchmark process's own memory, as the system counts it.
#include <QtGlobal>

#ifdef Q_OS_WIN
// windows.h first: psapi.h uses its types.
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on
#else
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#include <string>
#endif

namespace qs::bench {

#ifdef Q_OS_WIN
inline PROCESS_MEMORY_COUNTERS memoryCounters()
{
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}
#endif

// The most memory the process has held in RAM so far, in MB.
inline double peakResidentMb()
{
#ifdef Q_OS_WIN
    return double(memoryCounters().PeakWorkingSetSize) / (1024 * 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024; // Linux counts it in KB
#endif
}

// Starts counting the most memory held in RAM anew, so that a step's peak is its own; where the
// system cannot, the peak stays the process's.
inline void restartPeak()
{
#ifndef Q_OS_WIN
    std::ofstream("/proc/self/clear_refs") << "5";
#endif
}

// The most memory the process has held in RAM since restartPeak(), in bytes.
inline long long peakResidentBytes()
{
#ifdef Q_OS_WIN
    return static_cast<long long>(memoryCounters().PeakWorkingSetSize);
#else
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmHWM:") {
            long long kb = 0;
            status >> kb;
            return kb * 1024;
        }
    return 0;
#endif
}

// The memory the process holds in RAM now, in bytes.
inline long long residentBytes()
{
#ifdef Q_OS_WIN
    return static_cast<long long>(memoryCounters().WorkingSetSize);
#else
    std::ifstream statm("/proc/self/statm");
    long long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
#endif
}

} // namespace qs::bench
