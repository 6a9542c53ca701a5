#include "app/StartupTrace.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace startup {

void mark(const char* step) {
    static FILE* out = [] {
        const char* path = std::getenv("PELUMO_STARTUP_TRACE");
        return path && *path ? std::fopen(path, "a") : nullptr;
    }();
    if (!out)
        return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(out, "%s %lld\n", step,
                 static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fflush(out);
}

} // namespace startup
