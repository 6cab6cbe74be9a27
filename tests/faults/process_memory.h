#pragma once

#include <malloc.h>
#include <unistd.h>

#include <cstdio>

namespace qeb::faults {

// Memory of this process as the system counts it: resident pages, in KiB.
inline long long ResidentKiB() {
    long long totalPages = 0;
    long long residentPages = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%lld %lld", &totalPages, &residentPages) != 2) {
            residentPages = 0;
        }
        std::fclose(statm);
    }
    return residentPages * (sysconf(_SC_PAGESIZE) / 1024);
}

// Bytes the C++ heap has handed out and not taken back.
inline long long HeapInUseBytes() {
    return static_cast<long long>(mallinfo2().uordblks);
}

// AddressSanitizer keeps freed memory in quarantine and has its own allocator, so neither figure
// says anything about leaks there; its leak checker does that job at exit.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kMemoryFiguresMeanSomething = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kMemoryFiguresMeanSomething = false;
#else
inline constexpr bool kMemoryFiguresMeanSomething = true;
#endif
#else
inline constexpr bool kMemoryFiguresMeanSomething = true;
#endif

}  // namespace qeb::faults
