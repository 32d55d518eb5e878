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
#endif

namespace qs::bench {

// The most memory the process has held in RAM so far, in MB.
inline double peakResidentMb()
{
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return double(counters.PeakWorkingSetSize) / (1024 * 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024; // Linux counts it in KB
#endif
}

// The memory the process holds in RAM now, in bytes.
inline long long residentBytes()
{
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long long>(counters.WorkingSetSize);
#else
    std::ifstream statm("/proc/self/statm");
    long long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
#endif
}

} // namespace qs::bench
