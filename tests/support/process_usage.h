#pragma once
// CPU time and resident memory of a process: resource bounds in tests ("idle costs next to no
// CPU"), never timings, and figures in benches. Linux (/proc); 0 where unknown.

#include <cstdint>

namespace vexa::test {

// Processor time this process has used so far, all threads, in seconds.
double CpuSeconds();
// The same for another process.
double CpuSecondsOf(std::int64_t pid);
// Resident memory in kilobytes; pid 0 is this process.
double ResidentKb(std::int64_t pid = 0);

}  // namespace vexa::test
